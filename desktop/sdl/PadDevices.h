// The game pads plugged in, through SDL2's game-controller API, on the SDL
// thread alone: pads found at start or plugged in while the program runs
// are opened at once, pads pulled out are closed, and each pad's buttons
// and left stick are read as they stand. Starting the pads and opening one
// may take seconds with some pads; reading never waits.
#pragma once

#include <functional>
#include <tuple>
#include <vector>

typedef struct _SDL_GameController SDL_GameController;

// What a pad's controls stand at, in the standard layout.
struct PadReading {
    int stickX = 0;  // the left stick, -32768 (left) to 32767 (right)
    bool dpadLeft = false, dpadRight = false, dpadUp = false, dpadDown = false;
    bool a = false, b = false, x = false, y = false;
    bool leftShoulder = false, rightShoulder = false;
    bool start = false, back = false;

    bool operator==(const PadReading& o) const {
        return std::tie(stickX, dpadLeft, dpadRight, dpadUp, dpadDown, a, b, x, y, leftShoulder, rightShoulder, start,
                        back) == std::tie(o.stickX, o.dpadLeft, o.dpadRight, o.dpadUp, o.dpadDown, o.a, o.b, o.x, o.y,
                                          o.leftShoulder, o.rightShoulder, o.start, o.back);
    }
    bool operator!=(const PadReading& o) const { return !(*this == o); }
};

class PadDevices {
public:
    PadDevices();
    ~PadDevices();
    PadDevices(const PadDevices&) = delete;
    PadDevices& operator=(const PadDevices&) = delete;

    // Takes in the pads plugged and pulled since the last poll, telling
    // pulled() of each pad gone, then read() of every pad there.
    void poll(const std::function<void(int id)>& pulled, const std::function<void(int id, const PadReading&)>& read);
    int count() const { return static_cast<int>(pads_.size()); }

private:
    struct Pad {
        SDL_GameController* handle;
        int id;
    };
    void plugged(int deviceIndex);

    bool ready_ = false;
    std::vector<Pad> pads_;
};
