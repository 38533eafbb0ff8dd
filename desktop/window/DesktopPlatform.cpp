// The desktop platform: random numbers, the program folder, sound, dialogs,
// blocking pauses and the end of the program, for the real window.
#include "desktop/window/DesktopPlatform.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <random>
#include <unistd.h>

#include "desktop/window/SurfaceWidget.h"
#include "shell/surface.h"

namespace {

// The first row of the play area below the About credits box.
constexpr int BelowCredits = 216;
// The longest name the high-score prompt takes.
constexpr int NameLength = 10;

}  // namespace

DesktopPlatform::DesktopPlatform() : random_(std::random_device{}()) {}

float DesktopPlatform::rnd() { return random_.next(); }

QString DesktopPlatform::programDirectory() {
    return QCoreApplication::applicationDirPath();
}

int DesktopPlatform::waveOutDeviceCount() {
    return sound_.deviceCount();
}

// Every cue plays in the background. The game never asks to wait for one to
// finish, so a synchronous request plays the same way.
bool DesktopPlatform::playSound(const QString& path, bool) {
    return sound_.play(path);
}

// The game opens no media device of its own, so there is nothing to close;
// the cues of playSound go on.
long DesktopPlatform::sendMediaCommand(const QString&) {
    return 0;
}

// The dialog opens over the window as the game has just drawn it.
QWidget* DesktopPlatform::dialogParent() {
    present();
    return view_ ? view_->window() : nullptr;
}

// About's "OK?" comes with the credits box in the upper half of the play
// area: a box over the shown window opens below the credits, centred
// across the play area, so that they stay readable. The missing-pictures
// box of the load comes before the window shows and opens where Qt puts it.
void DesktopPlatform::messageBox(const QString& text, const QString& title) {
    const QScopedValueRollback<bool> open(dialogOpen_, true);
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, dialogParent());
    if (view_ && view_->isVisible()) {
        box.adjustSize();
        const QPoint below = view_->surfaceToGlobal(QPoint(Surface::Width / 2, BelowCredits));
        box.move(below.x() - box.frameGeometry().width() / 2, below.y());
    }
    box.exec();
}

// The game's one prompt asks for a name of at most 10 characters: the
// edit box takes no more.
QString DesktopPlatform::inputBox(const QString& prompt, const QString& title) {
    const QScopedValueRollback<bool> open(dialogOpen_, true);
    // The game breaks its prompt's lines with carriage returns.
    QString lines = prompt;
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QInputDialog dialog(dialogParent());
    dialog.setWindowTitle(title);
    dialog.setLabelText(lines);
    dialog.setInputMode(QInputDialog::TextInput);
    if (auto* edit = dialog.findChild<QLineEdit*>()) edit->setMaxLength(NameLength);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

// A pause is for the player to watch the window. The wave set up at load
// pauses before the window is first shown, when there is nothing to watch:
// waiting then would only keep the window from opening.
void DesktopPlatform::hold(int milliseconds) {
    if (!view_ || !view_->isVisible()) return;
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        present();
        const qint64 left = milliseconds - clock.elapsed();
        if (left <= 0) return;
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, 10)));
    }
}

void DesktopPlatform::present() {
    if (view_) view_->showChangesNow();
}

void DesktopPlatform::endProgram(int exitStatus) {
    std::fflush(nullptr);
    ::_exit(exitStatus);
}
