// The pause: the key's switch, the eye on the program's activity and on
// the window's minimised state, and what a pause stops (sound) and shows
// (the sign).
#include "desktop/window/Pause.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#include "desktop/window/DesktopPlatform.h"
#include "desktop/window/Door.h"
#include "desktop/window/SurfaceWidget.h"
#include "shell/frmVorlane.h"

Pause::Pause(QWidget& window, const frmVorlane& form, DesktopPlatform& platform, SurfaceWidget& view, Door& door)
    : QObject(&window), window_(window), form_(form), platform_(platform), view_(view), door_(door) {
    window_.installEventFilter(this);
    // The program is active while any of its windows has the keyboard: the
    // About box and the name prompt are not "away".
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this] { updateAway(); });
}

void Pause::toggle() { change(!byKey_, away_); }

bool Pause::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) updateAway();
    return false;
}

void Pause::updateAway() {
    const bool here = QGuiApplication::applicationState() == Qt::ApplicationActive && !window_.isMinimized();
    if (QGuiApplication::applicationState() == Qt::ApplicationActive) hadKeyboard_ = true;
    if (here)
        change(byKey_, false);
    else if ((hadKeyboard_ || window_.isMinimized()) && form_.intGameState == 0)
        change(byKey_, true);
}

void Pause::change(bool byKey, bool away) {
    const bool was = active();
    byKey_ = byKey;
    away_ = away;
    if (active() == was) return;
    platform_.setPaused(active());
    view_.setPaused(active());
    door_.setPaused(active());
    if (changed_) changed_(active());
}
