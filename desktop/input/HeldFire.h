// Held fire: X does not repeat Shift, Ctrl or Alt, so while one of them is
// held (or a controller's fire button, which fires as Ctrl) this sends its
// key-down again and again, after the desktop's auto-repeat delay and at
// its rate, until it is let go. The game launches a new missile on each
// repeat that finds the last one gone. The repeat stops when the window
// loses the focus, hides or closes, and when a dialog opens over it: only a
// new press after the dialog fires again. A key that the desktop does repeat by
// itself is left to the desktop.
#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <vector>

#include "shell/events.h"

class HeldFire : public QObject {
    Q_OBJECT

public:
    using Deliver = std::function<void(const GameEvent&)>;

    // Repeats go out through send; the window's focus and visibility end
    // them.
    HeldFire(Deliver deliver, QWidget& window);

    // True for Shift, Ctrl and Alt, the keys that fire alone.
    static bool isFireKey(int code) { return code >= 16 && code <= 18; }

    // A fire key went down (its own key-down has gone to the game already):
    // its repeats start after the delay. The last key pressed is the one
    // repeated while several are held.
    void press(int code, int shift);
    // One hold of the key ends.
    void release(int code);
    // The desktop sent a repeat of the key: it repeats it, not us.
    void repeatedByDesktop(int code);
    // Every hold ends.
    void releaseAll();

    // The next repeat, as the timer sends it.
    void repeat();
    bool repeating() const { return timer_.isActive(); }
    int delay() const { return delay_; }
    int interval() const { return interval_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Held {
        int code;
        int shift;
    };
    void forget(int code, bool all);

    Deliver deliver_;
    std::vector<Held> held_;
    QTimer timer_;
    int delay_;
    int interval_;
    bool blocked_ = false;  // a dialog is open over the window
};
