// SDL's virtual joystick standing in for a game pad, for the tests of the
// pads: plugged in once the SDL thread has started the pads, its buttons
// set and let go as a player would, and pulled out at the end.
#pragma once

#include <SDL.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <functional>

// Takes in what the SDL thread posts until the check holds; false when it
// does not in time.
inline bool until(const std::function<bool()>& holds, int ms = 5000) {
    const QDeadlineTimer deadline(ms);
    while (!holds()) {
        if (deadline.hasExpired()) return false;
        QThread::msleep(1);
        QCoreApplication::processEvents();
    }
    return true;
}

// A pad with every button and axis of the standard layout, plugged in once
// the SDL thread has started the pads.
class VirtualPad {
public:
    VirtualPad() {
        if (!until([] { return SDL_WasInit(SDL_INIT_GAMECONTROLLER) != 0; })) return;
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
        desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
        desc.name = "Test pad";
        index_ = SDL_JoystickAttachVirtualEx(&desc);
        joystick_ = SDL_JoystickOpen(index_);
    }
    ~VirtualPad() { pull(); }
    bool ready() const { return joystick_ != nullptr; }
    // Sets a button and waits until SDL has taken it in, which the SDL
    // thread does as it reads the pads: a press let go at once is still
    // seen, however busy the machine.
    bool set(SDL_GameControllerButton button, bool down) {
        SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
        return until([&] { return (SDL_JoystickGetButton(joystick_, button) != 0) == down; });
    }
    void stick(int x) { SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(x)); }
    void pull() {
        if (!joystick_) return;
        SDL_JoystickClose(joystick_);
        SDL_JoystickDetachVirtual(index_);
        joystick_ = nullptr;
    }

private:
    int index_ = -1;
    SDL_Joystick* joystick_ = nullptr;
};

