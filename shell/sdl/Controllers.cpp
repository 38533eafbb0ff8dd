// Game controllers: the pads' buttons and stick read after each poll of
// SDL's events, compared with what each pad held before, and every change
// sent as a key-down or key-up.
#include "shell/sdl/Controllers.h"

#include <SDL.h>

#include <algorithm>

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

Controllers::Controllers(HeldFire::Send send, HeldFire& fire, QObject* parent)
    : QObject(parent), send_(std::move(send)), fire_(fire) {
    // The controllers start on their own, apart from the sound, so that
    // either works without the other. SIGINT and SIGTERM keep ending the
    // program.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    ready_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (!ready_) return;
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &Controllers::poll);
    timer_.start(pollMilliseconds);
}

Controllers::~Controllers() {
    if (!ready_) return;
    for (const Pad& pad : pads_) SDL_GameControllerClose(pad.handle);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void Controllers::poll() {
    if (!ready_) return;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_CONTROLLERDEVICEADDED) plugged(event.cdevice.which);
        if (event.type == SDL_CONTROLLERDEVICEREMOVED) pulled(event.cdevice.which);
    }
    for (Pad& pad : pads_) {
        auto button = [&pad](SDL_GameControllerButton b) { return SDL_GameControllerGetButton(pad.handle, b) != 0; };
        Keys now;
        const int stick = SDL_GameControllerGetAxis(pad.handle, SDL_CONTROLLER_AXIS_LEFTX);
        if (button(SDL_CONTROLLER_BUTTON_DPAD_LEFT) || stick <= -stickPush) now.steer = -1;
        if (button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT) || stick >= stickPush) now.steer = +1;
        now.fire = button(SDL_CONTROLLER_BUTTON_A) || button(SDL_CONTROLLER_BUTTON_B) ||
                   button(SDL_CONTROLLER_BUTTON_X) || button(SDL_CONTROLLER_BUTTON_Y) ||
                   button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER) || button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
        now.start = button(SDL_CONTROLLER_BUTTON_START);
        now.back = button(SDL_CONTROLLER_BUTTON_BACK);
        change(pad.keys, now);
    }
}

void Controllers::plugged(int deviceIndex) {
    SDL_GameController* handle = SDL_GameControllerOpen(deviceIndex);
    if (!handle) return;
    const int id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(handle));
    // A pad may be announced twice: once found at start, once added.
    if (std::any_of(pads_.begin(), pads_.end(), [id](const Pad& pad) { return pad.id == id; })) {
        SDL_GameControllerClose(handle);
        return;
    }
    pads_.push_back({handle, id, {}});
}

void Controllers::pulled(int id) {
    auto pad = std::find_if(pads_.begin(), pads_.end(), [id](const Pad& p) { return p.id == id; });
    if (pad == pads_.end()) return;
    change(pad->keys, {});
    SDL_GameControllerClose(pad->handle);
    pads_.erase(pad);
}

void Controllers::change(Keys& held, const Keys& now) {
    if (now.steer != held.steer) {
        if (held.steer) send_(GameEvent::keyUp(arrow(held.steer), 0));
        if (now.steer) send_(GameEvent::keyDown(arrow(now.steer), 0));
    }
    if (now.fire != held.fire) {
        if (now.fire) {
            send_(GameEvent::keyDown(ctrlKey, ctrlMask));
            fire_.press(ctrlKey, ctrlMask);
        } else {
            fire_.release(ctrlKey);
            send_(GameEvent::keyUp(ctrlKey, 0));
        }
    }
    if (now.start != held.start) send_(now.start ? GameEvent::keyDown(enterKey, 0) : GameEvent::keyUp(enterKey, 0));
    if (now.back != held.back) send_(now.back ? GameEvent::keyDown(otherKey, 0) : GameEvent::keyUp(otherKey, 0));
    held = now;
}
