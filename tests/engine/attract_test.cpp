// The shooting star and the demo pilot: when a star starts and what it
// draws on its way down, and how the demo pilot steers and fires between
// games.
#include "tests/support/GameTest.h"

// Scripts the seven draws that start a star at (x, y) with steps dx and dy,
// each in the middle of the band that gives its whole number; its life is
// 149 steps.
static void queueStar(TestPlatform& platform, int x, int y, int dx, int dy) {
    platform.queue({1.5f / 20, 99.5f / 100, (x - 49.5f) / 500, (y - 29.5f) / 150, ((dx < 0 ? -dx : dx) - 9.5f) / 20,
                    dx < 0 ? 0.25f : 0.75f, (dy - 4.5f) / 20});
}

static std::vector<int> star(const frmVorlane& f) {
    return {f.intStarX, f.intStarY, f.intStarDX, f.intStarDY, f.intStarLife, f.intStarStep};
}

static std::vector<int> demo(const frmVorlane& f) {
    return {f.intDemoHold, f.intDemoCount, f.intDemoMove, f.intShipX, f.blnMissile, f.intMissileX, f.intMissileY};
}

TEST_F(GameTest, AStarStartsOnADrawOfOneAndFallsPointByPointToRow200) {
    load();
    const int loaded = platform.draws;
    platform.queue({0.0f, 0.10f});
    for (int tick = 1; tick <= 2; ++tick) form->Timer4_Timer();
    EXPECT_EQ(platform.draws, loaded + 2) << "an idle tick draws once";

    // Starting takes seven draws in order and shows nothing yet.
    const QImage before = form->surface.image().copy();
    queueStar(platform, 540, 30, -15, 5);
    form->Timer4_Timer();
    EXPECT_EQ(star(*form), std::vector<int>({540, 30, -15, 5, 149, 0}));
    EXPECT_EQ(form->surface.image(), before);

    // Each tick erases the last point and draws the next in a random colour.
    for (int tick = 1; tick <= 34; ++tick) {
        const int oldX = form->intStarX, oldY = form->intStarY;
        platform.queue({0.5f, 0.25f});
        form->Timer4_Timer();
        EXPECT_EQ(pixel(form->intStarX, form->intStarY), RGB(255, 127, 63)) << "tick " << tick;
        EXPECT_EQ(pixel(oldX, oldY), Black) << "tick " << tick;
    }
    EXPECT_EQ(star(*form), std::vector<int>({30, 200, -15, 5, 149, 34}));

    // Past row 200 it ends without drawing, its last point erased.
    const int draws = platform.draws;
    form->Timer4_Timer();
    EXPECT_EQ(star(*form), std::vector<int>({15, 205, -15, 5, 0, 35}));
    EXPECT_EQ(platform.draws, draws);
    EXPECT_EQ(pixel(30, 200), Black);
}

TEST_F(GameTest, TheDemoPilotHoldsARandomMoveWithinTheSidesAndFiresSilently) {
    load();
    platform.played.clear();
    form->intShipX = 300;
    form->intDemoHold = form->intDemoCount = 3;
    platform.queue({0.375f, 0.9f});
    form->Timer6_Timer();
    // Right for seven more ticks, firing at once; the missile in flight is left alone.
    EXPECT_EQ(demo(*form), std::vector<int>({7, 0, 2, 302, true, 316, 405}));
    for (int tick = 1; tick <= 7; ++tick) form->Timer6_Timer();
    EXPECT_EQ(demo(*form), std::vector<int>({7, 7, 2, 316, true, 316, 405}));
    // Once the missile is gone: a new hold, a turn left and a new missile.
    form->blnMissile = false;
    platform.queue({0.0f, 0.5f});
    form->Timer6_Timer();
    EXPECT_EQ(demo(*form), std::vector<int>({0, 0, 1, 314, true, 328, 405}));
    EXPECT_TRUE(platform.played.isEmpty() && form->blnSound && form->blnWaveDevice) << "silent with sound on";

    // The ship stops once past x 9 on the left and 590 on the right.
    form->intDemoHold = 19;
    const struct { int move, from, to; } steps[] = {{1, 10, 8}, {1, 8, 8}, {1, 9, 9}, {2, 589, 591}, {2, 591, 591}};
    for (const auto& s : steps) {
        form->intDemoMove = static_cast<Integer>(s.move);
        form->intShipX = static_cast<Integer>(s.from);
        form->DemoPilot();
        EXPECT_EQ(form->intShipX, s.to) << "from " << s.from;
    }
}
