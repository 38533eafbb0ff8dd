// The shooting star and the demo pilot: when a star starts and what it
// draws on its way down, and how the demo pilot steers and fires between
// games.
#include <cstdlib>

#include "tests/support/GameTest.h"

namespace {

// Scripts the draws that start a star at (x, y) with steps dx and dy; its
// life is 149 steps.
void queueStar(TestPlatform& platform, int x, int y, int dx, int dy) {
    const float middle = 0.5f;
    platform.queue({(1 + middle) / 20, (99 + middle) / 100, (x - 50 + middle) / 500, (y - 30 + middle) / 150,
                    (std::abs(dx) - 10 + middle) / 20, dx < 0 ? 0.25f : 0.75f, (dy - 5 + middle) / 20});
}

}  // namespace

TEST_F(GameTest, AStarStartsOnlyWhenTheFirstDrawIsOneAndDrawsNothingThen) {
    load();
    const int loaded = platform.draws;
    platform.queue({0.0f, 0.10f});
    form->Timer4_Timer();
    form->Timer4_Timer();
    EXPECT_EQ(form->intStarLife, 0);
    EXPECT_EQ(platform.draws, loaded + 2);

    const QImage before = form->surface.image().copy();
    queueStar(platform, 120, 40, -17, 9);
    form->Timer4_Timer();

    EXPECT_EQ(form->intStarLife, 149);
    EXPECT_EQ(form->intStarX, 120);
    EXPECT_EQ(form->intStarY, 40);
    EXPECT_EQ(form->intStarDX, -17);
    EXPECT_EQ(form->intStarDY, 9);
    EXPECT_EQ(form->intStarStep, 0);
    EXPECT_TRUE(platform.script.empty());
    EXPECT_EQ(form->surface.image(), before);
}

TEST_F(GameTest, AStarFromTheTopFallsThirtyFourPointsOneAtATime) {
    load();
    queueStar(platform, 100, 30, 10, 5);
    form->Timer4_Timer();

    const Long colour = RGB(255, 127, 63);
    int drawn = 0;
    for (int tick = 1; tick <= 34; ++tick) {
        const int oldX = form->intStarX, oldY = form->intStarY;
        platform.queue({0.5f, 0.25f});
        form->Timer4_Timer();
        if (pixel(form->intStarX, form->intStarY) == colour) ++drawn;
        EXPECT_EQ(pixel(oldX, oldY), Black) << "tick " << tick;
    }
    EXPECT_EQ(drawn, 34);
    EXPECT_EQ(form->intStarY, 200);
    EXPECT_EQ(form->intStarLife, 149);

    const int draws = platform.draws;
    form->Timer4_Timer();
    EXPECT_EQ(form->intStarLife, 0);
    EXPECT_EQ(platform.draws, draws);
    EXPECT_EQ(pixel(440, 200), Black);
}

TEST_F(GameTest, AStarTooLowForItsStepIsNeverDrawn) {
    load();
    queueStar(platform, 300, 179, 29, 24);
    form->Timer4_Timer();
    const Long below = pixel(329, 203);
    const int draws = platform.draws;

    form->Timer4_Timer();

    EXPECT_EQ(form->intStarLife, 0);
    EXPECT_EQ(form->intStarStep, 1);
    EXPECT_EQ(platform.draws, draws);
    EXPECT_EQ(pixel(329, 203), below);
}

TEST_F(GameTest, TheDemoPilotKeepsTheShipWithinTheSides) {
    load();
    const int loaded = platform.draws;
    form->blnMissile = true;
    form->intDemoHold = 19;
    form->intDemoMove = 1;

    form->intShipX = 10;
    form->DemoPilot();
    EXPECT_EQ(form->intShipX, 8);
    form->DemoPilot();
    EXPECT_EQ(form->intShipX, 8);
    form->intShipX = 9;
    form->DemoPilot();
    EXPECT_EQ(form->intShipX, 9);

    form->intDemoMove = 2;
    form->intShipX = 589;
    form->blnMissile = false;
    form->Timer6_Timer();
    EXPECT_EQ(form->intShipX, 591);
    EXPECT_TRUE(form->blnMissile);
    EXPECT_EQ(form->intMissileX, 605);
    EXPECT_EQ(form->intMissileY, 405);
    form->Timer6_Timer();
    EXPECT_EQ(form->intShipX, 591);
    form->MoveShip();
    EXPECT_EQ(form->Image36.left(), 589);
    EXPECT_EQ(platform.draws, loaded);
}

TEST_F(GameTest, TheDemoPilotChoosesHowLongThenWhereToGo) {
    load();
    const int loaded = platform.draws;
    form->blnMissile = true;
    form->intShipX = 300;
    form->intDemoHold = 3;
    form->intDemoCount = 3;
    form->intDemoMove = 0;

    platform.queue({0.375f, 0.9f});
    form->DemoPilot();

    EXPECT_EQ(form->intDemoHold, 7);
    EXPECT_EQ(form->intDemoCount, 0);
    EXPECT_EQ(form->intDemoMove, 2);
    EXPECT_EQ(form->intShipX, 302);
    for (int tick = 1; tick <= 7; ++tick) form->DemoPilot();
    EXPECT_EQ(form->intShipX, 316);
    EXPECT_EQ(platform.draws, loaded + 2);

    platform.queue({0.0f, 0.5f});
    form->DemoPilot();
    EXPECT_EQ(form->intDemoHold, 0);
    EXPECT_EQ(form->intDemoMove, 1);
    EXPECT_EQ(form->intShipX, 314);
}

TEST_F(GameTest, TheDemoFiresSilentlyAsSoonAsItsMissileIsGone) {
    load();
    ASSERT_TRUE(form->blnSound && form->blnWaveDevice);
    platform.played.clear();
    form->intShipX = 200;
    form->intDemoHold = 19;
    form->intDemoMove = 0;

    form->Timer6_Timer();
    ASSERT_TRUE(form->blnMissile);
    EXPECT_EQ(form->intMissileX, 214);
    EXPECT_EQ(form->intMissileY, 405);

    // A missile in flight is left alone.
    form->intMissileY = 120;
    form->Timer6_Timer();
    EXPECT_EQ(form->intMissileY, 120);

    // The missile step ends it; the next demo tick fires again.
    form->blnMissile = false;
    form->Timer6_Timer();
    EXPECT_TRUE(form->blnMissile);
    EXPECT_EQ(form->intMissileY, 405);
    EXPECT_TRUE(platform.played.isEmpty());
}
