// The desktop platform: random numbers, the program folder, sound, dialogs,
// blocking pauses and the end of the program, for the real window.
#include "shell/qt/DesktopPlatform.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

#include "shell/qt/SurfaceWidget.h"

DesktopPlatform::DesktopPlatform() : random_(std::random_device{}()) {}

float DesktopPlatform::rnd() {
    // 24 random bits over 2^24: every value is exact in a float and the
    // largest is 1 - 2^-24, so 1.0 never comes out.
    return static_cast<float>(random_() >> 8) * (1.0f / 16777216.0f);
}

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

void DesktopPlatform::messageBox(const QString& text, const QString& title) {
    const QScopedValueRollback<bool> open(dialogOpen_, true);
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, dialogParent());
    box.exec();
}

QString DesktopPlatform::inputBox(const QString& prompt, const QString& title) {
    const QScopedValueRollback<bool> open(dialogOpen_, true);
    bool ok = false;
    // The game breaks its prompt's lines with carriage returns.
    QString lines = prompt;
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QString text = QInputDialog::getText(dialogParent(), title, lines, QLineEdit::Normal, QString(), &ok);
    return ok ? text : QString();
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
