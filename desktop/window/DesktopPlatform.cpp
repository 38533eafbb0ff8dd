// The desktop platform: random numbers, the program folder, sound, dialogs,
// blocking pauses and the end of the program, for the real window.
#include "desktop/window/DesktopPlatform.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QTimer>

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
// edit box takes no more. Told to end while the prompt is open, the
// program takes what the player has typed so far as the name; only Cancel
// (or closing the box) answers nothing.
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
    bool cancelled = false;
    QObject::connect(&dialog, &QDialog::rejected, [&cancelled] { cancelled = true; });
    dialog.exec();
    return cancelled ? QString() : dialog.textValue();
}

// A pause is for the player to watch the window, which goes on repainting,
// moving, resizing and pausing meanwhile; the window's door keeps the game
// itself still. Time spent paused does not count. The window closed or a
// quit signal during the pause ends the program at once: the game must not
// go on without its window. The wave set up at load pauses before the
// window is first shown, when there is nothing to watch: waiting then would
// only keep the window from opening.
void DesktopPlatform::hold(int milliseconds) {
    if (!view_ || !view_->isVisible()) return;
    present();
    QEventLoop loop;
    QTimer clock;
    clock.setSingleShot(true);
    clock.setTimerType(Qt::PreciseTimer);
    bool over = false;
    QObject::connect(&clock, &QTimer::timeout, [&] {
        over = true;
        loop.quit();
    });
    holdClock_ = &clock;
    holdLeft_ = milliseconds;
    if (!paused_) clock.start(milliseconds);
    loop.exec();
    holdClock_ = nullptr;
    if (!over) endProgram(0);
}

void DesktopPlatform::setPaused(bool paused) {
    paused_ = paused;
    sound_.setPaused(paused);
    if (!holdClock_) return;
    if (paused) {
        holdLeft_ = std::max(0, holdClock_->remainingTime());
        holdClock_->stop();
    } else {
        holdClock_->start(holdLeft_);
    }
}

void DesktopPlatform::present() {
    if (view_) view_->showChangesNow();
}

void DesktopPlatform::endProgram(int exitStatus) {
    if (beforeEnd_) beforeEnd_();
    std::fflush(nullptr);
    ::_exit(exitStatus);
}
