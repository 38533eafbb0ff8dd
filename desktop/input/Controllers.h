// Game controllers: the d-pad and the left stick steer as the arrows (37,
// 39), A, B, X, Y and the shoulder buttons fire as a held Ctrl (17 with
// mask 2, repeating while held). Start opens the Game menu and Back pauses,
// and while a menu or a dialog is open the pad's buttons are the menu's or
// the dialog's (PadMenus): the game gets none of them, lets go of what the
// pad held, and a button pressed meanwhile counts for the game again only
// once it has been let go. Pads plugged in while the game runs work at
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

class PadMenus;
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

    // Keys go out through deliver; fire buttons repeat through fire; the
    // window's own buttons go to menus.
    Controllers(Deliver deliver, Repeater fire, PadMenus& menus, QObject* parent = nullptr);
    ~Controllers() override;

    // The pads plugged in, as far as the window's thread has heard.
    int count() const { return static_cast<int>(pads_.size()); }

private:
    struct Pad {
        unsigned held = 0;       // the buttons down, one bit a PadButton, Fire for the others that fire
        unsigned swallowed = 0;  // the buttons a menu or a dialog took, until let go
        int steer = 0;           // what the game holds: -1 left, +1 right
        bool fire = false;
    };

    // A pad's new reading, or nothing when it was pulled out.
    void padChanged(int id, const std::optional<PadReading>& reading);
    static unsigned buttonsOf(const PadReading& reading);
    // Tells the game what the pad now holds for it.
    void tell(Pad& pad, unsigned buttons);

    Deliver deliver_;
    Repeater fire_;
    PadMenus& menus_;
    std::map<int, Pad> pads_;
    std::shared_ptr<SdlThread> sdl_;
};
