// The one door between the desktop and the game: every key, release, menu
// command, double-click and timer tick for the game comes through here,
// and the door alone decides whether it goes in now, waits or is dropped.
//
// - While the game is inside one of its handlers (a blocking pause, a
//   dialog of its own), nothing else may run it. Keys, releases, menu
//   commands and double-clicks wait their turn and go in, in order, when
//   the handler is done, as a queue of window messages would deliver them.
//   A timer's tick that falls due meanwhile is dropped, not made up.
// - While paused, or while a dialog of the game is open, the game gets no
//   new press, command or click. A key the game holds down that is let go
//   meanwhile goes in as a release when the door opens again, so the game
//   never believes a released key is still down; pressed again before the
//   door opens, the key stays down as the game believes.
#pragma once

#include <deque>
#include <functional>
#include <set>

#include "shell/events.h"

class Door {
public:
    using Game = std::function<void(const GameEvent&)>;

    // game: runs an event in the game. dialogOpen: whether a dialog of the
    // game is open now.
    Door(Game game, std::function<bool()> dialogOpen);

    void deliver(const GameEvent& event);
    // The pause shuts the door, and its end opens it again.
    void setPaused(bool paused);
    // Every key the game holds down is let go: the keyboard has gone to
    // another program, which will not tell us of its releases.
    void releaseAll();

    bool inside() const { return inside_ > 0; }

private:
    bool open() const { return !paused_ && !dialogOpen_(); }
    // Whether the game holds the key down once every waiting event is in.
    bool heldInTheEnd(int code) const;
    void takeBackRelease(int code);
    void run(const GameEvent& event);
    // Lets the waiting events in while the door is open and the game idle.
    void letIn();

    Game game_;
    std::function<bool()> dialogOpen_;
    bool paused_ = false;
    int inside_ = 0;
    std::set<int> down_;  // the keys the game holds down
    std::deque<GameEvent> waiting_;
};
