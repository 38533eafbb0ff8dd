// The clock of the game's timers: woken by the main tick, and otherwise
// only when a timer can wait no longer, it sends each timer's ticks in the
// order they fell due, mostly on the main tick's wake-ups.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "desktop/window/GameClock.h"
#include "shell/controls.h"

namespace {

using namespace std::chrono_literals;
using Clock = GameClock::Clock;

struct GameClockTest : ::testing::Test {
    Timer march, mainTick, star, pilot;
    std::vector<int> ticks;
    GameClock clock{[this](int number) { ticks.push_back(number); }};
    Clock::time_point started;

    GameClockTest() {
        march.setInterval(1000);
        mainTick.setInterval(25);
        star.setInterval(60);
        pilot.setInterval(30);
    }
    // The timers count from the moment they are followed, which the runs
    // below take as their start: on a busy machine the following is done
    // again until it took no time worth speaking of.
    void followAll() {
        for (;;) {
            clock.forget();
            const Clock::time_point before = Clock::now();
            clock.follow(march, 1);
            clock.followMainTick(mainTick, 2);
            clock.follow(star, 4);
            clock.follow(pilot, 6);
            started = Clock::now();
            if (started - before < 200us) return;
        }
    }
    // Wakes the clock at every main tick, and between them whenever a
    // timer can wait no longer, for a while; the number of wake-ups.
    int run(std::chrono::milliseconds length) {
        const Clock::duration interval = std::chrono::milliseconds(mainTick.interval());
        Clock::time_point main = started + interval;
        int wakes = 0;
        while (std::min(main, clock.latestWake()) <= started + length) {
            if (clock.latestWake() < main) {
                clock.wake(clock.latestWake(), false);
            } else {
                clock.wake(main, true);
                main += interval;
            }
            ++wakes;
        }
        return wakes;
    }
};

TEST_F(GameClockTest, TicksGoOutInTheOrderTheyFellDueOnTheMainTicksWakeUps) {
    followAll();
    const int wakes = run(150ms);
    // Due at 25, 30, 50, 60 (the star, followed first, then the pilot), 75,
    // 90, 100, 120, 120, 125, 150 and 150 ms.
    EXPECT_EQ(ticks, std::vector<int>({2, 6, 2, 4, 6, 2, 6, 2, 4, 6, 2, 6, 2}));
    EXPECT_EQ(wakes, 6) << "one wake-up a main tick, where each timer on its own would take twelve";
}

TEST_F(GameClockTest, AChangedTimerCountsAgainAndOneLateByLongTicksOnceOnly) {
    followAll();
    // A whole second inside a blocking pause: each timer ticks once, in
    // the order they fell due (30, 60 and 1000 ms), then goes on a whole
    // interval later.
    const Clock::time_point late = started + 1100ms;
    clock.wake(late, true);
    EXPECT_EQ(ticks, std::vector<int>({6, 4, 1, 2}));
    EXPECT_GT(clock.latestWake(), late + 25ms);

    // Stopped, a timer sends nothing; started again, it counts afresh.
    pilot.setEnabled(false);
    star.setEnabled(false);
    march.setEnabled(false);
    EXPECT_EQ(clock.latestWake(), Clock::time_point::max()) << "nothing but the main tick to wake for";
    star.setEnabled(true);
    EXPECT_LE(clock.latestWake(), Clock::now() + 60ms + 25ms);
}

TEST_F(GameClockTest, ATimerFasterThanTheMainTickKeepsItsOwnPace) {
    mainTick.setInterval(500);
    pilot.setInterval(10);
    followAll();
    // Due at 10 to 100 ms, each going out at most 9 ms late.
    run(110ms);
    EXPECT_EQ(std::count(ticks.begin(), ticks.end(), 6), 10) << "every 10 ms, never two at once";
}

}  // namespace
