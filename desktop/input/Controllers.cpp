// Game controllers: each pad's reading as the SDL thread posts it, compared
// with what the pad held before, and every change delivered as a key-down
// or key-up.
#include "desktop/input/Controllers.h"

#include "desktop/sdl/SdlThread.h"

namespace {

constexpr int leftKey = 37;
constexpr int rightKey = 39;
constexpr int enterKey = 13;
constexpr int ctrlKey = 17;
constexpr int ctrlMask = 2;
// The code of a key the game has no code for.
constexpr int otherKey = 255;
// The stick steers once pushed past half way.
constexpr int stickPush = 16384;

int arrow(int steer) {
    return steer < 0 ? leftKey : rightKey;
}

}  // namespace

Controllers::Controllers(Deliver deliver, Repeater fire, QObject* parent)
    : QObject(parent), deliver_(std::move(deliver)), fire_(std::move(fire)), sdl_(SdlThread::share()) {
    sdl_->listen(this, [this](int id, const std::optional<PadReading>& reading) { padChanged(id, reading); });
}

Controllers::~Controllers() {
    sdl_->listen(nullptr, {});
}

void Controllers::padChanged(int id, const std::optional<PadReading>& reading) {
    if (reading) {
        change(held_[id], keysOf(*reading));
        return;
    }
    const auto pad = held_.find(id);
    if (pad == held_.end()) return;
    change(pad->second, {});
    held_.erase(pad);
}

Controllers::Keys Controllers::keysOf(const PadReading& pad) {
    Keys keys;
    if (pad.dpadLeft || pad.stickX <= -stickPush) keys.steer = -1;
    if (pad.dpadRight || pad.stickX >= stickPush) keys.steer = +1;
    keys.fire = pad.a || pad.b || pad.x || pad.y || pad.leftShoulder || pad.rightShoulder;
    keys.start = pad.start;
    keys.back = pad.back;
    return keys;
}

void Controllers::change(Keys& held, const Keys& now) {
    if (now.steer != held.steer) {
        if (held.steer) deliver_(GameEvent::keyUp(arrow(held.steer), 0));
        if (now.steer) deliver_(GameEvent::keyDown(arrow(now.steer), 0));
    }
    if (now.fire != held.fire) {
        if (now.fire) {
            deliver_(GameEvent::keyDown(ctrlKey, ctrlMask));
            fire_.press(ctrlKey, ctrlMask);
        } else {
            fire_.release(ctrlKey);
            deliver_(GameEvent::keyUp(ctrlKey, 0));
        }
    }
    if (now.start != held.start)
        deliver_(now.start ? GameEvent::keyDown(enterKey, 0) : GameEvent::keyUp(enterKey, 0));
    if (now.back != held.back) deliver_(now.back ? GameEvent::keyDown(otherKey, 0) : GameEvent::keyUp(otherKey, 0));
    held = now;
}
