// Opening, closing and reading the pads through SDL.
#include "desktop/sdl/PadDevices.h"

#include <SDL.h>

#include <algorithm>

PadDevices::PadDevices() {
    // Pads found at start come in as plugged at the first poll.
    ready_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

PadDevices::~PadDevices() {
    if (!ready_) return;
    for (const Pad& pad : pads_) SDL_GameControllerClose(pad.handle);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void PadDevices::poll(const std::function<void(int id)>& pulled,
                      const std::function<void(int id, const PadReading&)>& read) {
    if (!ready_) return;
    // One look at the devices, then every event it brought; the pads'
    // button and stick events go unread, as the pads are read whole below.
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
        if (event.type == SDL_CONTROLLERDEVICEADDED) plugged(event.cdevice.which);
        if (event.type != SDL_CONTROLLERDEVICEREMOVED) continue;
        const int id = event.cdevice.which;
        const auto pad = std::find_if(pads_.begin(), pads_.end(), [id](const Pad& p) { return p.id == id; });
        if (pad == pads_.end()) continue;
        SDL_GameControllerClose(pad->handle);
        pads_.erase(pad);
        pulled(id);
    }
    for (const Pad& pad : pads_) {
        auto button = [&pad](SDL_GameControllerButton b) { return SDL_GameControllerGetButton(pad.handle, b) != 0; };
        PadReading now;
        now.stickX = SDL_GameControllerGetAxis(pad.handle, SDL_CONTROLLER_AXIS_LEFTX);
        now.dpadLeft = button(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
        now.dpadRight = button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
        now.dpadUp = button(SDL_CONTROLLER_BUTTON_DPAD_UP);
        now.dpadDown = button(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
        now.a = button(SDL_CONTROLLER_BUTTON_A);
        now.b = button(SDL_CONTROLLER_BUTTON_B);
        now.x = button(SDL_CONTROLLER_BUTTON_X);
        now.y = button(SDL_CONTROLLER_BUTTON_Y);
        now.leftShoulder = button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
        now.rightShoulder = button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
        now.start = button(SDL_CONTROLLER_BUTTON_START);
        now.back = button(SDL_CONTROLLER_BUTTON_BACK);
        read(pad.id, now);
    }
}

void PadDevices::plugged(int deviceIndex) {
    SDL_GameController* handle = SDL_GameControllerOpen(deviceIndex);
    if (!handle) return;
    const int id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(handle));
    // A pad may be announced twice: once found at start, once added.
    if (std::any_of(pads_.begin(), pads_.end(), [id](const Pad& pad) { return pad.id == id; })) {
        SDL_GameControllerClose(handle);
        return;
    }
    pads_.push_back({handle, id});
}
