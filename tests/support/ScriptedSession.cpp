// The simulated clock of a headless session: each enabled timer is due one
// interval after it last ticked or was last changed, as a QTimer is.
#include "tests/support/ScriptedSession.h"

ScriptedSession::ScriptedSession(std::uint32_t seed)
    : platform(seed), session_(platform, seed, *this, [this] { return now; }) {}

void ScriptedSession::follow(int number, const Timer& timer) {
    Clock& clock = clocks_[number];
    const bool running = timer.enabled() && timer.interval() > 0;
    if (running != clock.running || timer.interval() != clock.interval)
        clock = {static_cast<std::uint32_t>(now + timer.interval()), timer.interval(), running};
}

void ScriptedSession::run(std::uint32_t milliseconds, const std::function<void(std::uint32_t)>& player) {
    const std::uint32_t until = now + milliseconds;
    const std::pair<int, const Timer*> timers[] = {
        {1, &form().Timer1}, {2, &form().Timer2}, {3, &form().Timer3}, {4, &form().Timer4}, {6, &form().Timer6}};
    for (;;) {
        int next = 0;
        for (const auto& [number, timer] : timers) {
            follow(number, *timer);
            const Clock& clock = clocks_[number];
            if (clock.running && (next == 0 || clock.due < clocks_[next].due)) next = number;
        }
        if (next == 0 || clocks_[next].due > until) break;
        now = clocks_[next].due;
        clocks_[next].due = now + static_cast<std::uint32_t>(clocks_[next].interval);
        if (player) player(now);
        deliver(GameEvent::tick(next));
    }
    now = until;
}

void ScriptedSession::playAfterStart(std::uint32_t milliseconds) {
    load();
    deliver(GameEvent::menuCommand(0, 0));
    Swinger player{*this};
    run(milliseconds, std::ref(player));
}

std::vector<Replay> ScriptedSession::games() const {
    std::vector<Replay> replays;
    for (const SavedGame& game : kept) replays.push_back(*decodeReplay(encodeReplay(game)).replay);
    return replays;
}

void ScriptedSession::playUntilOver(std::uint32_t milliseconds, const std::function<void(std::uint32_t)>& player) {
    for (std::uint32_t spent = 0; spent < milliseconds && form().intGameState == 0; spent += 100) run(100, player);
}
