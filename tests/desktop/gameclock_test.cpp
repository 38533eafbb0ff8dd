// The clock of the game's timers: woken only when it asks to be, it sends
// each timer's ticks in the order they fell due, the main tick on its time
// and the others mostly on the main tick's wake-ups.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "desktop/window/GameClock.h"
#include "shell/controls.h"

namespace {

using namespace std::chrono_literals;

struct GameClockTest : ::testing::Test {
    Timer march, mainTick, star, pilot;
    std::vector<int> ticks;
    GameClock clock{[this](int number) { ticks.push_back(number); }};

    GameClockTest() {
        march.setInterval(1000);
        mainTick.setInterval(25);
        star.setInterval(60);
        pilot.setInterval(30);
    }
    void followAll() {
        clock.follow(march, 1, false);
        clock.follow(mainTick, 2, true);
        clock.follow(star, 4, false);
        clock.follow(pilot, 6, false);
    }
    // Wakes the clock whenever it asks, for a while after the first wake.
    int run(std::chrono::milliseconds length) {
        const auto end = clock.nextWake() + length;
        int wakes = 0;
        while (clock.nextWake() <= end) {
            clock.advance(clock.nextWake());
            ++wakes;
        }
        return wakes;
    }
};

TEST_F(GameClockTest, TicksGoOutInTheOrderTheyFellDueMostlyOnTheMainTicksWakeUps) {
    followAll();
    const int wakes = run(120ms);
    // Due at 25, 30, 50, 60 (the star, followed first, then the pilot), 75,
    // 90, 100, 120, 120 and 125 ms after they were followed.
    EXPECT_EQ(ticks, std::vector<int>({2, 6, 2, 4, 6, 2, 6, 2, 4, 6, 2}));
    EXPECT_EQ(wakes, 5) << "one wake-up a main tick, where each timer on its own would take eleven";
}

TEST_F(GameClockTest, AChangedTimerCountsAgainAndOneLateByLongTicksOnceOnly) {
    followAll();
    clock.advance(clock.nextWake());
    ASSERT_EQ(ticks, std::vector<int>({2}));

    // A whole second inside a blocking pause: each timer ticks once, in
    // the order they fell due (30, 50, 60 and 1000 ms), then goes on a whole
    // interval later.
    ticks.clear();
    const auto late = clock.nextWake() + 1000ms;
    clock.advance(late);
    EXPECT_EQ(ticks, std::vector<int>({6, 2, 4, 1}));
    EXPECT_GT(clock.nextWake(), late);

    // Stopped, a timer sends nothing; started again, it counts afresh.
    pilot.setEnabled(false);
    star.setEnabled(false);
    march.setEnabled(false);
    ticks.clear();
    run(100ms);
    EXPECT_EQ(ticks, std::vector<int>(5, 2));
    mainTick.setEnabled(false);
    EXPECT_EQ(clock.nextWake(), GameClock::Clock::time_point::max()) << "nothing left to wake for";
}

TEST_F(GameClockTest, ATimerFasterThanTheMainTickKeepsItsOwnPace) {
    mainTick.setInterval(500);
    pilot.setInterval(10);
    followAll();
    run(95ms);
    EXPECT_EQ(std::count(ticks.begin(), ticks.end(), 6), 10) << "every 10 ms, never two at once";
}

}  // namespace
