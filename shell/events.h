// Everything that reaches the game from outside, as one small value: a
// timer's tick, a key going down or up with its Shift/Ctrl/Alt mask, a menu
// command, the double-click. The desktop host turns its events into these
// and hands each to deliver(), the one door into the game, so that a pause
// can hold them back and a recording can keep them.
#pragma once

#include <cstdint>

class frmVorlane;

struct GameEvent {
    enum class Kind : std::uint8_t { Tick, KeyDown, KeyUp, Menu, DoubleClick };

    Kind kind = Kind::Tick;
    // Tick: the timer's number (1, 2, 3, 4 or 6). Keys: the key code.
    // Menu: the top-level menu's place on the menu bar, from 0.
    std::int16_t a = 0;
    // Keys: the modifier mask. Menu: the item's place in its menu, from 0.
    std::int16_t b = 0;

    static GameEvent tick(int timer) { return {Kind::Tick, static_cast<std::int16_t>(timer), 0}; }
    static GameEvent keyDown(int code, int shift) {
        return {Kind::KeyDown, static_cast<std::int16_t>(code), static_cast<std::int16_t>(shift)};
    }
    static GameEvent keyUp(int code, int shift) {
        return {Kind::KeyUp, static_cast<std::int16_t>(code), static_cast<std::int16_t>(shift)};
    }
    static GameEvent menu(int menu, int item) {
        return {Kind::Menu, static_cast<std::int16_t>(menu), static_cast<std::int16_t>(item)};
    }
    static GameEvent doubleClick() { return {Kind::DoubleClick, 0, 0}; }

    bool operator==(const GameEvent& other) const {
        return kind == other.kind && a == other.a && b == other.b;
    }
};

// Runs the game's handler for the event. An event that names no timer or
// no menu item of the game does nothing; false tells so.
bool deliver(frmVorlane& form, const GameEvent& event);
