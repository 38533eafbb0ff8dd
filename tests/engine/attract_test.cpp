// The shooting star and the demo pilot: when a star starts and what it
// draws on its way down, and how the demo pilot steers and fires between
// games.
#include <vector>

#include "tests/support/GameTest.h"

static std::vector<int> demo(const frmVorlane& f) {
    return {f.intDemoHold, f.intDemoCount, f.intDemoMove, f.intShipX, f.blnMissile, f.intMissileX, f.intMissileY};
}

TEST_F(GameTest, AStarStartsOnADrawOfOneAndFallsPointByPointToRow200) {
    load();
    platform.queue({0.0f, 0.10f});  // draws of 0 and 2 in 20: idle ticks, one draw each
    for (int tick = 1; tick <= 2; ++tick) form->Timer4_Timer();

    // A draw of 1 starts a star at (540, 30), 15 left and 5 down a tick, and shows nothing yet.
    const QImage before = form->surface.image().copy();
    platform.queue({1.5f / 20, 99.5f / 100, 490.5f / 500, 0.5f / 150, 5.5f / 20, 0.25f, 0.5f / 20});
    form->Timer4_Timer();
    EXPECT_EQ(form->surface.image(), before);

    // Each tick erases the last point and draws the next in a random colour.
    for (int tick = 1; tick <= 34; ++tick) {
        const int x = 540 - 15 * tick, y = 30 + 5 * tick;
        platform.queue({0.5f, 0.25f});
        form->Timer4_Timer();
        EXPECT_EQ(pixel(x, y), RGB(255, 127, 63)) << "tick " << tick;
        EXPECT_EQ(pixel(x + 15, y - 5), Black) << "tick " << tick;
    }
    form->Timer4_Timer();  // past row 200 it ends without drawing, its last point erased
    EXPECT_TRUE(form->intStarLife == 0 && pixel(15, 205) == Black && pixel(30, 200) == Black);
}

TEST_F(GameTest, TheDemoPilotHoldsARandomMoveWithinTheSidesAndFiresSilently) {
    load();
    form->intShipX = 300;
    form->intDemoHold = form->intDemoCount = 3;
    platform.queue({0.375f, 0.9f});
    // Right for eight ticks, firing at once; the missile in flight is left alone.
    for (int tick = 1; tick <= 8; ++tick) form->Timer6_Timer();
    EXPECT_EQ(demo(*form), std::vector<int>({7, 7, 2, 316, true, 316, 405}));
    // Once the missile is gone: a new hold, a turn left and a new missile.
    form->blnMissile = false;
    platform.queue({0.0f, 0.5f});
    form->Timer6_Timer();
    EXPECT_EQ(demo(*form), std::vector<int>({0, 0, 1, 314, true, 328, 405}));
    EXPECT_TRUE(!platform.played.contains("Fire.wav") && form->blnSound && form->blnWaveDevice) << "silent, sound on";

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
