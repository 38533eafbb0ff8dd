// The game's key codes for Qt key events: every key counted by its
// virtual-key number (letters 65-90, digits 48-57, the arrows 37-40, the
// function keys from 112, the keypad from 96, the punctuation keys from
// 186 ...), chosen by the key's place on the keyboard, and the Shift, Ctrl
// and Alt mask.
#pragma once

#include "shell/numbers.h"

class QKeyEvent;

// The code of a key the game has no number for. It is not a game key: it
// shows the keys help line like any other key without a meaning.
constexpr Integer NoKeyCode = 255;

struct GameKey {
    Integer code;   // NoKeyCode for a key without a number; never 0
    Integer shift;  // Shift 1, Ctrl 2, Alt 4
};

// The key of a press or a release. A modifier key's own press carries its
// bit in the mask; its release no longer does. On X the key is found by its
// place on the keyboard, so Shift with the minus key is still the minus key
// whatever the layout; elsewhere by the key Qt names.
GameKey gameKey(const QKeyEvent& event);
// The same, saying whether the event's native scan code is an X keycode.
GameKey gameKey(const QKeyEvent& event, bool xKeycodes);
