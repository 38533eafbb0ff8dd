// The game's key codes for Qt key events: every key counted by its
// virtual-key number (letters 65-90, digits 48-57, the arrows 37-40, the
// function keys from 112, the keypad from 96, the punctuation keys from
// 186 ...), chosen by what the key types on the player's layout, and the
// Shift, Ctrl and Alt mask.
#pragma once

#include "shell/numbers.h"

class KeyLayout;
class QKeyEvent;

// The code of a key the game has no number for. It is not a game key: it
// shows the keys help line like any other key without a meaning.
constexpr Integer NoKeyCode = 255;

struct GameKey {
    Integer code;   // NoKeyCode for a key without a number; never 0
    Integer shift;  // Shift 1, Ctrl 2, Alt 4
};

// The key of a press or a release. A modifier key's own press carries its
// bit in the mask; its release no longer does. On X and Wayland a key that
// types a letter, a digit or a sign is known by the characters it types on
// the desktop's layout, with or without Shift, so the key labelled "+" is
// 187 on every layout; the keypad goes by Num Lock (keypad 4 with it off
// is the left arrow, 37); a key that types nothing goes by its place.
// Elsewhere the key Qt names decides.
GameKey gameKey(const QKeyEvent& event);
// Reads the desktop's layout now: compiling it takes some milliseconds,
// which the player's first key should not wait for.
void readKeyLayout();
// The same through a layout, or by the key Qt names when there is none.
GameKey gameKey(const QKeyEvent& event, const KeyLayout* layout);
