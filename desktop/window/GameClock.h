// The clock of the game's timers: one wake-up of the window's thread
// serves every timer that is due. The main tick (Timer2) goes out on its
// time; each other timer may wait for the next wake-up, at most a tick at
// the default pace and always less than its own interval, so the shooting
// star, the demo pilot, the march and the status line mostly ride on the
// main tick's wake-ups instead of waking the program on their own. Every
// tick goes out in the order of the times the timers were due, as separate
// timers would send them, and none is lost or doubled: only a tick that
// falls due while the game is inside a blocking pause is not made up, the
// next coming a whole interval later, as a timer that is late does.
#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <vector>

class Timer;

class GameClock : public QObject {
public:
    using Clock = std::chrono::steady_clock;
    using Tick = std::function<void(int number)>;

    explicit GameClock(Tick tick, QObject* parent = nullptr);

    // Follows a timer of the game: a new interval, or a stop and a start,
    // restarts its count. The main tick never waits for another.
    void follow(Timer& timer, int number, bool mainTick);
    // Stops following every timer.
    void forget();

    // Sends every tick due by now, each timer's once, in the order they
    // fell due; when next to wake, at the latest.
    void advance(Clock::time_point now);
    Clock::time_point nextWake() const;

private:
    struct Followed {
        Timer* timer;
        int number;
        bool mainTick;
        bool running = false;
        Clock::duration interval{};
        Clock::time_point due;
    };
    void restart(Followed& followed, Clock::time_point now);
    Clock::duration patience(const Followed& followed) const;
    void schedule();

    Tick tick_;
    std::vector<Followed> timers_;
    QTimer wake_;
};
