// Held fire: a stack of the fire keys held, the newest on top, and a timer
// that repeats the top's key-down, first after the delay, then at the rate.
#include "desktop/input/HeldFire.h"

#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>
#include <QWidget>

namespace {

// What the desktop's keyboard does when Qt cannot tell.
constexpr int usualDelay = 500;
constexpr int usualRate = 30;

int repeatDelay() {
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    const int delay = QGuiApplication::styleHints()->keyboardAutoRepeatDelay();
    if (delay > 0) return delay;
#endif
    return usualDelay;
}

int repeatInterval() {
    const int rate = QGuiApplication::styleHints()->keyboardAutoRepeatRate();
    return 1000 / (rate > 0 ? rate : usualRate);
}

}  // namespace

HeldFire::HeldFire(Deliver deliver, QWidget& window)
    : QObject(&window), deliver_(std::move(deliver)), delay_(repeatDelay()), interval_(repeatInterval()) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &HeldFire::repeat);
    window.installEventFilter(this);
}

void HeldFire::press(int code, int shift) {
    if (blocked_) return;
    held_.push_back({code, shift});
    timer_.start(delay_);
}

void HeldFire::release(int code) {
    forget(code, false);
}

void HeldFire::repeatedByDesktop(int code) {
    forget(code, true);
}

void HeldFire::releaseAll() {
    held_.clear();
    timer_.stop();
}

void HeldFire::repeat() {
    if (held_.empty()) return;
    timer_.start(interval_);
    deliver_(GameEvent::keyDown(held_.back().code, held_.back().shift));
}

// Removes the newest hold of the key, or all of them; the key below goes on
// repeating at the rate, and nothing does when none is left.
void HeldFire::forget(int code, bool all) {
    for (auto it = held_.end(); it != held_.begin();) {
        --it;
        if (it->code != code) continue;
        it = held_.erase(it);
        if (!all) break;
    }
    if (held_.empty()) timer_.stop();
}

bool HeldFire::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::WindowBlocked:
        blocked_ = true;
        releaseAll();
        break;
    case QEvent::WindowUnblocked:
        blocked_ = false;
        break;
    case QEvent::FocusOut:
    case QEvent::WindowDeactivate:
    case QEvent::Hide:
    case QEvent::Close:
        releaseAll();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
