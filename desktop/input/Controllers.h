// Game controllers turned into the keys the game knows: the d-pad and the
// left stick steer as the arrows (37, 39), A, B, X, Y and the shoulder
// buttons fire as a held Ctrl (17 with mask 2, repeating while held),
// Start is Enter (13) and Back a key with no code of its own (255), which
// shows the keys help line. Pads plugged in while the game runs work at
// once; one pulled out lets go of whatever it held. The pads are polled
// from a timer on the window's thread.
#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <map>

#include "desktop/sdl/PadDevices.h"
#include "shell/events.h"

class Controllers : public QObject {
    Q_OBJECT

public:
    using Deliver = std::function<void(const GameEvent&)>;
    // Whoever repeats a held fire key: told when the pad's fire goes down
    // (code, shift) and when it is let go (code).
    struct Repeater {
        std::function<void(int, int)> press;
        std::function<void(int)> release;
    };

    // Keys go out through deliver; fire buttons repeat through fire.
    Controllers(Deliver deliver, Repeater fire, QObject* parent = nullptr);

    // Takes in plugged and pulled pads and delivers the keys of what
    // changed; the timer calls it every few milliseconds.
    void poll();
    int count() const { return devices_.count(); }

private:
    // What a pad holds, as the game's keys.
    struct Keys {
        int steer = 0;  // -1 left, +1 right
        bool fire = false;
        bool start = false;
        bool back = false;
    };

    static Keys keysOf(const PadReading& pad);
    void change(Keys& held, const Keys& now);

    Deliver deliver_;
    Repeater fire_;
    PadDevices devices_;
    std::map<int, Keys> held_;
    QTimer timer_;
};
