// The game's key codes for Qt key events: the arrows, Enter, the fire
// keys and the rest as the game knows them, and the Shift, Ctrl and Alt mask.
#pragma once

#include "shell/numbers.h"

class QKeyEvent;

struct GameKey {
    Integer code;   // 0 for a key the game has no code for
    Integer shift;  // Shift 1, Ctrl 2, Alt 4
};

// The key of a press or a release. A modifier key's own press carries its
// bit in the mask; its release no longer does.
GameKey gameKey(const QKeyEvent& event);
