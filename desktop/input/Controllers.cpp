// Game controllers: each pad's reading as the SDL thread posts it, compared
// with what the pad held before; the game hears every change as a key-down
// or key-up, the menus and dialogs every new press of their buttons.
#include "desktop/input/Controllers.h"

#include "desktop/input/PadMenus.h"
#include "desktop/sdl/SdlThread.h"

namespace {

constexpr int leftKey = 37;
constexpr int rightKey = 39;
constexpr int ctrlKey = 17;
constexpr int ctrlMask = 2;
// The stick steers once pushed past half way.
constexpr int stickPush = 16384;

constexpr unsigned bit(PadButton button) {
    return 1u << static_cast<unsigned>(button);
}
// X, Y and the shoulder buttons, which only fire.
constexpr unsigned Fire = 1u << 8;
constexpr unsigned FireButtons = bit(PadButton::A) | bit(PadButton::B) | Fire;
constexpr PadButton Buttons[] = {PadButton::Up, PadButton::Down, PadButton::Left,  PadButton::Right,
                                 PadButton::A,  PadButton::B,    PadButton::Start, PadButton::Back};

int arrow(int steer) {
    return steer < 0 ? leftKey : rightKey;
}

}  // namespace

Controllers::Controllers(Deliver deliver, Repeater fire, PadMenus& menus, QObject* parent)
    : QObject(parent), deliver_(std::move(deliver)), fire_(std::move(fire)), menus_(menus), sdl_(SdlThread::share()) {
    sdl_->listen(this, [this](int id, const std::optional<PadReading>& reading) { padChanged(id, reading); });
}

Controllers::~Controllers() {
    sdl_->listen(nullptr, {});
}

unsigned Controllers::buttonsOf(const PadReading& pad) {
    unsigned buttons = 0;
    if (pad.dpadUp) buttons |= bit(PadButton::Up);
    if (pad.dpadDown) buttons |= bit(PadButton::Down);
    if (pad.dpadLeft || pad.stickX <= -stickPush) buttons |= bit(PadButton::Left);
    if (pad.dpadRight || pad.stickX >= stickPush) buttons |= bit(PadButton::Right);
    if (pad.a) buttons |= bit(PadButton::A);
    if (pad.b) buttons |= bit(PadButton::B);
    if (pad.x || pad.y || pad.leftShoulder || pad.rightShoulder) buttons |= Fire;
    if (pad.start) buttons |= bit(PadButton::Start);
    if (pad.back) buttons |= bit(PadButton::Back);
    return buttons;
}

// The game's keys first, then the window's buttons: choosing Start in a
// menu runs the game's pauses before it returns, and what the pads post
// meanwhile comes in here again.
void Controllers::padChanged(int id, const std::optional<PadReading>& reading) {
    const auto found = pads_.find(id);
    if (!reading) {
        if (found == pads_.end()) return;
        tell(found->second, 0);
        pads_.erase(found);
        return;
    }
    Pad& pad = pads_[id];
    const unsigned now = buttonsOf(*reading);
    const unsigned pressed = now & ~pad.held;
    const bool menuOpen = PadMenus::open();
    pad.held = now;
    pad.swallowed &= now;
    if (menuOpen) pad.swallowed |= now;
    tell(pad, now & ~pad.swallowed);
    for (PadButton button : Buttons)
        if ((pressed & bit(button)) && (menuOpen || button == PadButton::Start || button == PadButton::Back))
            menus_.press(button);
    // A menu the pad opened takes what the pads hold from the game.
    if (menuOpen || !PadMenus::open()) return;
    for (auto& [other, held] : pads_) {
        held.swallowed = held.held;
        tell(held, 0);
    }
}

void Controllers::tell(Pad& pad, unsigned buttons) {
    int steer = 0;
    if (buttons & bit(PadButton::Left)) steer = -1;
    if (buttons & bit(PadButton::Right)) steer = +1;
    if (steer != pad.steer) {
        if (pad.steer) deliver_(GameEvent::keyUp(arrow(pad.steer), 0));
        if (steer) deliver_(GameEvent::keyDown(arrow(steer), 0));
        pad.steer = steer;
    }
    const bool fire = (buttons & FireButtons) != 0;
    if (fire == pad.fire) return;
    pad.fire = fire;
    if (fire) {
        deliver_(GameEvent::keyDown(ctrlKey, ctrlMask));
        fire_.press(ctrlKey, ctrlMask);
    } else {
        fire_.release(ctrlKey);
        deliver_(GameEvent::keyUp(ctrlKey, 0));
    }
}
