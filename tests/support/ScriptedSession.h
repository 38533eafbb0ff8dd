// A session recorded with no window, as the desktop program records one:
// the game on the scripted platform with random numbers from a seed, its
// timers ticking on a simulated clock at their own intervals, every event
// going through the recorder, and the games it keeps held in memory.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "replay/format.h"
#include "replay/gamerandom.h"
#include "replay/recordedsession.h"
#include "tests/support/TestPlatform.h"

class ScriptedSession : public ReplaySink {
public:
    explicit ScriptedSession(std::uint32_t seed);

    // The scripted platform whose numbers come from the seed.
    struct SeededPlatform : TestPlatform {
        explicit SeededPlatform(std::uint32_t seed) : random(seed) {}
        float rnd() override { return random.next(); }
        GameRandom random;
    };

    SeededPlatform platform;
    std::uint32_t now = 0;  // simulated ms since load
    std::vector<SavedGame> kept;
    // The kept games, read back from their files.
    std::vector<Replay> games() const;

    frmVorlane& form() { return session_.form(); }
    void load() { form().Form_Load(); }
    void deliver(const GameEvent& event) { session_.deliver(event); }
    // Lets the timers tick for a while; each tick may be preceded by the
    // player's move for that moment.
    void run(std::uint32_t milliseconds, const std::function<void(std::uint32_t)>& player = {});
    // Runs until no game is in play any more, or the time is up.
    void playUntilOver(std::uint32_t milliseconds, const std::function<void(std::uint32_t)>& player);
    // Loads, chooses Game > Start at once, and lets a Swinger play for a
    // while.
    void playAfterStart(std::uint32_t milliseconds);
    void close() { session_.finish(); }

    void keep(SavedGame game) override { kept.push_back(std::move(game)); }
    void flush() override {}

private:
    struct Clock {
        std::uint32_t due = 0;
        Long interval = 0;
        bool running = false;
    };
    void follow(int number, const Timer& timer);

    RecordedSession session_;
    std::map<int, Clock> clocks_;
};

// A player who swings the ship from side to side and keeps firing.
struct Swinger {
    static constexpr int Left = 37, Right = 39, Ctrl = 17, ControlMask = 2;
    ScriptedSession& session;
    std::uint32_t nextTurn = 0, nextShot = 0;
    bool right = true;
    void operator()(std::uint32_t now) {
        if (now >= nextShot) {
            session.deliver(GameEvent::keyDown(Ctrl, ControlMask));
            nextShot = now + 150;
        }
        if (now < nextTurn) return;
        session.deliver(GameEvent::keyUp(right ? Left : Right, 0));
        session.deliver(GameEvent::keyDown(right ? Right : Left, 0));
        right = !right;
        nextTurn = now + 900;
    }
};
