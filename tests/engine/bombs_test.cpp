// The bombs: where they are dropped from, how they fall, what stops them,
// and what a bomb on the ship costs.
#include "tests/support/GameTest.h"

class BombsTest : public GameTest {
protected:
    void SetUp() override {
        start();
        darken();
        form->intBombCount = 1;
    }
    void darken() { form->surface.box(0, 0, Surface::Width - 1, Surface::Height - 1, Black); }
    // A falling bomb in a slot, as the last step left it.
    void bomb(int slot, double x, double y) {
        form->arrBombX[slot] = static_cast<Single>(x);
        form->arrBombY[slot] = static_cast<Single>(y);
        form->arrBombSpeed[slot] = 1;
        form->surface.box(x, y, x + 2, y + 2, Yellow);
    }
    // Something that is not black: a base, the ship, the ground.
    void obstacle(int left, int top, int right, int bottom) { form->surface.box(left, top, right, bottom, Grey); }
    static constexpr Long Grey = RGB(128, 128, 128);
};

TEST_F(BombsTest, ABombIsDroppedFromALivingInvaderPickedAtRandom) {
    form->arrInvDead[1] = true;
    platform.queue({0.01f, 0.04f});  // invader 1, which is dead, then invader 2 at (92, 117)
    const int draws = platform.draws;

    form->MoveBombs();

    EXPECT_EQ(platform.draws - draws, 2);
    EXPECT_EQ(form->arrBombX[1], 97);
    EXPECT_EQ(form->arrBombY[1], 127) << "dropped 9 below the invader's top, then fallen 1";
    EXPECT_FLOAT_EQ(form->arrBombSpeed[1], 1.05f);
    EXPECT_EQ(count(QRect(97, 127, 3, 3), Yellow), 9);
}

TEST_F(BombsTest, HighUpABombFallsThroughAnythingAndAtTheGroundItVanishes) {
    obstacle(295, 312, 305, 330);
    bomb(1, 300, 310);
    form->MoveBombs();
    EXPECT_EQ(form->arrBombX[1], 300);
    EXPECT_EQ(count(QRect(300, 311, 3, 3), Yellow), 9);
    bomb(1, 300, 319);  // falls to exactly 320, still above the contact line
    form->MoveBombs();
    EXPECT_EQ(form->arrBombX[1], 300);

    bomb(1, 300, 449);
    form->arrBombSpeed[1] = 2;
    form->MoveBombs();
    EXPECT_EQ(form->arrBombX[1], 0);
    EXPECT_EQ(count(QRect(290, 440, 20, 20), Yellow), 0);

    platform.queue({0.01f});
    form->MoveBombs();
    EXPECT_EQ(form->arrBombX[1], 61) << "dropped again from invader 1";
    EXPECT_EQ(form->arrBombY[1], 127);
}

TEST_F(BombsTest, AboveTheShipRowABombBlastsEvenInTheShipsColumn) {
    form->intShipX = 290;
    obstacle(280, 330, 320, 375);
    bomb(1, 300, 350);
    platform.queue({0.0f, 0.0f});  // the first dot at (-7, -9)
    for (int dot = 2; dot <= 150; ++dot) platform.queue({0.99f, 0.99f});  // the rest at (6, 8)
    const int draws = platform.draws;

    form->MoveBombs();

    EXPECT_EQ(platform.draws - draws, 300);
    EXPECT_EQ(count(QRect(293, 342, 2, 2), Black), 4);
    EXPECT_EQ(count(QRect(306, 359, 2, 2), Black), 4);
    EXPECT_EQ(pixel(292, 342), Grey);
    EXPECT_EQ(pixel(308, 360), Grey);
    EXPECT_EQ(form->arrBombX[1], 0);
    EXPECT_EQ(count(QRect(280, 330, 41, 46), Yellow), 0);
    EXPECT_EQ(form->intLives, 3);
    EXPECT_FALSE(platform.played.contains(QStringLiteral("Smallexp.wav")));
}

TEST_F(BombsTest, TheShipIsHitFromItsLeftEdgeToTwentyEightToTheRight) {
    const struct {
        int x;
        bool hit;
    } bombs[] = {{199, false}, {200, true}, {228, true}, {229, false}};
    for (const auto& falling : bombs) {
        form->intShipX = 200;
        const Integer lives = form->intLives;
        obstacle(150, 405, 300, 430);
        bomb(1, falling.x, 410);

        form->MoveBombs();

        EXPECT_EQ(form->intLives, lives - (falling.hit ? 1 : 0)) << "bomb at " << falling.x;
        EXPECT_EQ(form->intShipX, falling.hit ? 1 : 200);
        EXPECT_EQ(form->arrBombX[1], 0);
    }
}

TEST_F(BombsTest, AHitShipBlowsUpAndLeavesABlackHole) {
    form->intShipX = 200;
    obstacle(150, 380, 300, 435);
    bomb(1, 214, 410);
    const int waited = platform.holdMilliseconds, draws = platform.draws;

    form->MoveBombs();

    EXPECT_EQ(platform.played.last(), QStringLiteral("Smallexp.wav"));
    EXPECT_EQ(platform.draws - draws, 30000);
    EXPECT_EQ(platform.holdMilliseconds - waited, 700);
    EXPECT_EQ(count(QRect(185, 385, 76, 51), Black), 76 * 51);
    EXPECT_EQ(pixel(184, 400), Grey);
    EXPECT_EQ(pixel(261, 400), Grey);
    EXPECT_EQ(form->intShipX, 1);
    EXPECT_EQ(form->intLives, 2);
}

TEST_F(BombsTest, TheAttractDisplayLosesNoLife) {
    load();
    darken();
    form->intBombCount = 1;
    form->intLives = 1;  // won by clearing wave 9 in the attract display
    form->intShipX = 200;
    obstacle(150, 405, 300, 430);
    bomb(1, 214, 410);
    const int draws = platform.draws;

    form->MoveBombs();

    EXPECT_EQ(form->intLives, 1);
    EXPECT_EQ(form->intGameState, 1);
    EXPECT_EQ(platform.draws - draws, 30000) << "the explosion, and no game over";
}

TEST_F(BombsTest, TheLastLifeEndsTheGameAndEverySlotDropsFromTheNewFormation) {
    form->intBombCount = 3;
    form->intLives = 1;
    form->intWave = 4;
    form->intShipX = 200;
    bomb(1, 100, 200);
    obstacle(150, 405, 300, 430);
    bomb(2, 214, 410);
    bomb(3, 400, 200);

    form->MoveBombs();

    EXPECT_EQ(form->intLives, 0);
    EXPECT_EQ(form->intGameState, 1);
    EXPECT_EQ(form->intWave, 1);
    EXPECT_FALSE(form->lblGameOver.visible());
    for (int slot = 1; slot <= 3; ++slot) {
        const double x = form->arrBombX[slot], y = form->arrBombY[slot];
        bool fromAnInvader = false;
        for (int i = 1; i <= 30; ++i)
            if (form->arrInvX[i] + 5 == x && form->arrInvY[i] + 10 == y) fromAnInvader = true;
        EXPECT_TRUE(fromAnInvader) << "slot " << slot;
        EXPECT_FLOAT_EQ(form->arrBombSpeed[slot], 1.05f);
        EXPECT_EQ(count(QRect(int(x), int(y), 3, 3), Yellow), 9);
    }
}

TEST_F(BombsTest, WithNoInvaderAliveNoBombIsDropped) {
    form->intBombCount = 2;
    for (int i = 1; i <= 30; ++i) form->arrInvDead[i] = true;
    const int draws = platform.draws;

    form->MoveBombs();

    EXPECT_EQ(platform.draws, draws);
    EXPECT_EQ(form->arrBombX[1], 0);
    EXPECT_EQ(form->arrBombX[2], 0);
    EXPECT_EQ(count(QRect(0, 0, Surface::Width, Surface::Height), Yellow), 0);
}
