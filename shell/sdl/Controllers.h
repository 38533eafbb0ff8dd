// Game controllers through SDL2's game-controller API, turned into the keys
// the game knows: the d-pad and the left stick steer as the arrows (37, 39),
// A, B, X, Y and the shoulder buttons fire as a held Ctrl (17 with mask 2,
// repeating while held), Start is Enter (13) and Back a key with no code of
// its own (255), which shows the keys help line. Pads plugged in while the
// game runs work at once; one pulled out lets go of whatever it held. SDL
// is polled from a timer on the window's thread; its calls there never wait.
#pragma once

#include <QObject>
#include <QTimer>

#include <vector>

#include "shell/qt/HeldFire.h"

typedef struct _SDL_GameController SDL_GameController;

class Controllers : public QObject {
    Q_OBJECT

public:
    // Keys go out through send; fire buttons repeat through fire.
    Controllers(HeldFire::Send send, HeldFire& fire, QObject* parent = nullptr);
    ~Controllers() override;

    // Takes in plugged and pulled pads and sends the keys of what changed;
    // the timer calls it every few milliseconds.
    void poll();
    int count() const { return static_cast<int>(pads_.size()); }

private:
    // What a pad holds, as the game's keys.
    struct Keys {
        int steer = 0;  // -1 left, +1 right
        bool fire = false;
        bool start = false;
        bool back = false;
    };
    struct Pad {
        SDL_GameController* handle;
        int id;
        Keys keys;
    };

    void plugged(int deviceIndex);
    void pulled(int id);
    void change(Keys& held, const Keys& now);

    HeldFire::Send send_;
    HeldFire& fire_;
    bool ready_ = false;
    std::vector<Pad> pads_;
    QTimer timer_;
};
