// Everything that reaches the game from outside, as one small value: a
// timer's tick, a key going down or up with its Shift/Ctrl/Alt mask, a menu
// command, the double-click. The desktop host turns its events into these
// and delivers each through its one door, where a pause can hold them back
// and a recording keep them, before dispatch() runs the game's handler.
#pragma once

#include <cstdint>

class frmVorlane;

struct GameEvent {
    enum class Kind : std::uint8_t { Tick, KeyDown, KeyUp, Menu, DoubleClick };

    Kind kind = Kind::Tick;
    std::int16_t timer = 0;    // Tick: the timer's number (1, 2, 3, 4 or 6)
    std::int16_t keyCode = 0;  // KeyDown, KeyUp: the key's code
    std::int16_t shift = 0;    // KeyDown, KeyUp: the Shift/Ctrl/Alt mask
    std::int16_t menu = 0;     // Menu: the top-level menu's place on the menu bar, from 0
    std::int16_t item = 0;     // Menu: the item's place in its menu, from 0

    static GameEvent tick(int timer) {
        GameEvent event;
        event.timer = static_cast<std::int16_t>(timer);
        return event;
    }
    static GameEvent keyDown(int code, int shift) { return key(Kind::KeyDown, code, shift); }
    static GameEvent keyUp(int code, int shift) { return key(Kind::KeyUp, code, shift); }
    static GameEvent menuCommand(int menu, int item) {
        GameEvent event;
        event.kind = Kind::Menu;
        event.menu = static_cast<std::int16_t>(menu);
        event.item = static_cast<std::int16_t>(item);
        return event;
    }
    static GameEvent doubleClick() {
        GameEvent event;
        event.kind = Kind::DoubleClick;
        return event;
    }

    bool operator==(const GameEvent& other) const {
        return kind == other.kind && timer == other.timer && keyCode == other.keyCode && shift == other.shift &&
               menu == other.menu && item == other.item;
    }

private:
    static GameEvent key(Kind kind, int code, int shift) {
        GameEvent event;
        event.kind = kind;
        event.keyCode = static_cast<std::int16_t>(code);
        event.shift = static_cast<std::int16_t>(shift);
        return event;
    }
};

// Runs the game's handler for the event. An event that names no timer or
// no menu item of the game does nothing.
void dispatch(frmVorlane& form, const GameEvent& event);
