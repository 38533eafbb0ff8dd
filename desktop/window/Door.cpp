// The door: what goes in, what waits and what is dropped.
#include "desktop/window/Door.h"

#include <iterator>

Door::Door(Game game, std::function<bool()> dialogOpen)
    : game_(std::move(game)), dialogOpen_(std::move(dialogOpen)) {}

void Door::deliver(const GameEvent& event) {
    switch (event.kind) {
    case GameEvent::Kind::Tick:
        if (!open() || inside()) return;
        break;
    case GameEvent::Kind::KeyUp:
        if (!open()) {
            if (heldInTheEnd(event.keyCode)) waiting_.push_back(event);
            return;
        }
        break;
    case GameEvent::Kind::KeyDown:
        if (!open()) {
            takeBackRelease(event.keyCode);
            return;
        }
        break;
    case GameEvent::Kind::Menu:
    case GameEvent::Kind::DoubleClick:
        if (!open()) return;
        break;
    }
    if (inside()) {
        waiting_.push_back(event);
        return;
    }
    run(event);
    letIn();
}

void Door::setPaused(bool paused) {
    paused_ = paused;
    letIn();
}

void Door::releaseAll() {
    std::set<int> codes = down_;
    for (const GameEvent& event : waiting_)
        if (event.kind == GameEvent::Kind::KeyDown) codes.insert(event.keyCode);
    for (int code : codes)
        if (heldInTheEnd(code)) deliver(GameEvent::keyUp(code, 0));
}

bool Door::heldInTheEnd(int code) const {
    bool held = down_.count(code) > 0;
    for (const GameEvent& event : waiting_) {
        if (event.keyCode != code) continue;
        if (event.kind == GameEvent::Kind::KeyDown) held = true;
        if (event.kind == GameEvent::Kind::KeyUp) held = false;
    }
    return held;
}

// A key let go and pressed again while the door is shut is down, as the
// game believes: its waiting release goes. X's own repeat of a held key
// comes as such a pair, and the game must not lose the key to it.
void Door::takeBackRelease(int code) {
    for (auto event = waiting_.rbegin(); event != waiting_.rend(); ++event) {
        if (event->keyCode != code) continue;
        if (event->kind == GameEvent::Kind::KeyUp) waiting_.erase(std::next(event).base());
        return;
    }
}

void Door::run(const GameEvent& event) {
    if (event.kind == GameEvent::Kind::KeyDown) down_.insert(event.keyCode);
    if (event.kind == GameEvent::Kind::KeyUp) down_.erase(event.keyCode);
    ++inside_;
    game_(event);
    --inside_;
}

void Door::letIn() {
    while (!inside() && open() && !waiting_.empty()) {
        const GameEvent event = waiting_.front();
        waiting_.pop_front();
        run(event);
    }
}
