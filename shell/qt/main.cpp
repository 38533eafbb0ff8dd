// The desktop program: the application, the game and its window. The game
// loads before the window appears, so a load that ends the program never
// shows it. The screen's scale is taken as it is, fractions included:
// the play area is placed in device pixels and stays sharp at any scale.
#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include "resources/resources.h"
#include "shell/frmVorlane.h"
#include "shell/qt/DesktopPlatform.h"
#include "shell/qt/MainWindow.h"

int main(int argc, char* argv[]) {
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);
    // The caption is the game's three spaces; task bars show this name.
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Vorlane"));
    app.setWindowIcon(QIcon(QPixmap::fromImage(earthIcon())));
    DesktopPlatform platform;
    frmVorlane form(platform);
    MainWindow window(form, platform);
    form.Form_Load();
    window.show();
    return app.exec();
}
