// Game controllers: each pad's reading after a poll, compared with what the
// pad held before, and every change delivered as a key-down or key-up.
#include "desktop/input/Controllers.h"

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
constexpr int pollMilliseconds = 8;

int arrow(int steer) {
    return steer < 0 ? leftKey : rightKey;
}

}  // namespace

Controllers::Controllers(Deliver deliver, Repeater fire, QObject* parent)
    : QObject(parent), deliver_(std::move(deliver)), fire_(std::move(fire)) {
    if (!devices_.ready()) return;
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &Controllers::poll);
    timer_.start(pollMilliseconds);
}

void Controllers::poll() {
    devices_.poll(
        [this](int id) {
            change(held_[id], {});
            held_.erase(id);
        },
        [this](int id, const PadReading& pad) { change(held_[id], keysOf(pad)); });
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
