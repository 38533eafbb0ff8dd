// The desktop program: the application, the game and its window. The game
// loads before the window appears, so a load that ends the program never
// shows it. The screen's scale is taken as it is, fractions included: the
// play area keeps its size and its pixels stay sharp at any scale. With no
// display to open it says so and ends before Qt starts; told to end by a
// signal, it ends as cleanly as when the window closes.
#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include "resources/resources.h"
#include "shell/frmVorlane.h"
#include "shell/qt/DesktopPlatform.h"
#include "shell/qt/DisplayCheck.h"
#include "shell/qt/MainWindow.h"
#include "shell/qt/QuitOnSignal.h"

int main(int argc, char* argv[]) {
    if (!checkGraphicalSession(argc, argv)) return 1;
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);
    quitOnSignals();
    // The caption is the game's three spaces; task bars show this name.
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Vorlane"));
    QIcon icon;
    for (const QImage& size : earthIcons()) icon.addPixmap(QPixmap::fromImage(size));
    app.setWindowIcon(icon);
    DesktopPlatform platform;
    frmVorlane form(platform);
    MainWindow window(form, platform);
    form.Form_Load();
    window.show();
    return app.exec();
}
