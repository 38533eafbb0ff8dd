// Game controllers turned into the keys the game knows: the d-pad and the
// left stick steer as the arrows (37, 39), A, B, X, Y and the shoulder
// buttons fire as a held Ctrl (17 with mask 2, repeating while held),
// Start is Enter (13) and Back a key with no code of its own (255), which
// shows the keys help line. Pads plugged in while the game runs work at
// once; one pulled out lets go of whatever it held. The SDL thread reads
// the pads and posts what changed; the keys go out on the window's thread.
#pragma once

#include <QObject>

#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "desktop/sdl/PadDevices.h"
#include "shell/events.h"

class SdlThread;

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
    ~Controllers() override;

    // The pads plugged in, as far as the window's thread has heard.
    int count() const { return static_cast<int>(held_.size()); }

private:
    // What a pad holds, as the game's keys.
    struct Keys {
        int steer = 0;  // -1 left, +1 right
        bool fire = false;
        bool start = false;
        bool back = false;
    };

    // A pad's new reading, or nothing when it was pulled out.
    void padChanged(int id, const std::optional<PadReading>& reading);
    static Keys keysOf(const PadReading& pad);
    void change(Keys& held, const Keys& now);

    Deliver deliver_;
    Repeater fire_;
    std::map<int, Keys> held_;
    std::shared_ptr<SdlThread> sdl_;
};
