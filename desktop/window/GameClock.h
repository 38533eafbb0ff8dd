// The clock of the game's timers, so that the window's thread wakes little
// more often than the main tick (Timer2). The main tick keeps a precise
// QTimer of its own, as it always had; each other timer may wait for the
// next wake-up, at most a tick at the default pace and always less than its
// own interval, so the shooting star, the demo pilot, the march and the
// status line mostly go out on the main tick's wake-ups instead of waking
// the program on their own. Every tick goes out in the order the timers
// fell due, as separate timers would send them, and none is lost or
// doubled: only a tick that falls due while the game is inside a blocking
// pause is not made up, the next coming a whole interval later, as with a
// timer that is late.
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
    // restarts its count.
    void follow(Timer& timer, int number);
    void followMainTick(Timer& timer, int number);
    // Stops following every timer.
    void forget();

    // Sends every other timer's tick due by now, each timer's once, in the
    // order they fell due, then the main tick's when it is its time.
    void wake(Clock::time_point now, bool mainTick);
    // The latest time the other timers may wait for the next wake-up.
    Clock::time_point latestWake() const;

private:
    struct Followed {
        Timer* timer;
        int number;
        bool running = false;
        Clock::duration interval{};
        Clock::time_point due;
    };
    void restart(Followed& followed, Clock::time_point now);
    void schedule();

    Tick tick_;
    std::vector<Followed> others_;
    Timer* mainTimer_ = nullptr;
    int mainNumber_ = 0;
    QTimer mainWake_;
    QTimer otherWake_;
};
