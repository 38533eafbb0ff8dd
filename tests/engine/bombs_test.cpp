// The bombs: where they are dropped from, how they fall, what stops them,
// and what a bomb on the ship costs.
#include <vector>

#include "tests/support/GameTest.h"

constexpr Long Grey = RGB(128, 128, 128);  // something that is not black: a base, the ship, the ground

class BombsTest : public GameTest {
protected:
    // A game on a black window with one bomb slot.
    void SetUp() override {
        start();
        form->surface.box(0, 0, Surface::Width - 1, Surface::Height - 1, Black);
        form->intBombCount = 1;
    }
    // A bomb falling in a slot.
    void bomb(int slot, double x, double y) {
        form->arrBombX[slot] = static_cast<Single>(x);
        form->arrBombY[slot] = static_cast<Single>(y);
        form->arrBombSpeed[slot] = 1;
    }
    // A bomb at x about to fall on the ground where the ship stands at 200.
    void bombOnShip(int slot, int x) {
        form->intShipX = 200;
        form->surface.box(150, 380, 300, 435, Grey);
        bomb(slot, x, 410);
    }
};

TEST_F(BombsTest, ABombFallsThroughAnythingToTheContactLineBlastsWhatItMeetsAndIsDroppedAgain) {
    form->intShipX = 290;  // under it, but lower down
    form->surface.box(280, 305, 320, 375, Grey);
    bomb(1, 300, 319);
    form->MoveBombs();  // to exactly 320: still falling
    EXPECT_EQ(count(QRect(300, 320, 3, 3), Yellow), 9);
    platform.queue({0.0f, 0.0f});  // the first dot at (-7, -9)
    for (int dot = 2; dot <= 150; ++dot) platform.queue({0.99f, 0.99f});  // the rest at (6, 8)
    form->MoveBombs();  // to 321.05
    EXPECT_EQ(count(QRect(293, 312, 2, 2), Black) + count(QRect(306, 329, 2, 2), Black), 8);
    EXPECT_TRUE(pixel(292, 312) == Grey && pixel(308, 331) == Grey) << "each dot is 2 x 2";
    EXPECT_EQ(count(QRect(280, 305, 41, 71), Yellow), 0);

    form->arrInvDead[1] = true;
    platform.queue({0.01f, 0.04f});  // invader 1, which is dead, then invader 2 at (92, 117)
    form->MoveBombs();
    EXPECT_EQ(count(QRect(97, 127, 3, 3), Yellow), 9) << "dropped 9 below a living invader's top, then fallen 1";
}

TEST_F(BombsTest, ABombOnTheShipFromItsLeftEdgeToTwentyEightRightBlowsItUpAndCostsALifeInPlayOnly) {
    for (int x : {199, 200, 228, 229}) {
        bombOnShip(1, x);
        const bool hit = x == 200 || x == 228;
        const int waited = platform.holdMilliseconds, draws = platform.draws;
        form->MoveBombs();
        // The ship back at the start, 10000 circles (or else 150 dots), a pause, and its place swept clean.
        EXPECT_EQ(std::vector<int>({form->intShipX, platform.draws - draws, platform.holdMilliseconds - waited,
                                    count(QRect(185, 385, 76, 51), Black) == 76 * 51}),
                  hit ? std::vector<int>({1, 30000, 700, 1}) : std::vector<int>({200, 300, 0, 0})) << "bomb at " << x;
    }
    EXPECT_TRUE(form->intLives == 3 - 2 && platform.played.count("Smallexp.wav") == 2);

    load();  // the attract display, with a life won there by clearing wave 9
    form->intLives = 1;
    bombOnShip(1, 214);
    form->MoveBombs();
    EXPECT_TRUE(form->intShipX == 1 && form->intLives == 1 && platform.presents == 0) << "no life lost, no game over";
}

TEST_F(BombsTest, TheLastLifeEndsTheGameAndEverySlotDropsFromTheNewFormation) {
    form->intBombCount = 3;
    form->intLives = 1;
    bomb(1, 100, 200);  // in flight, so nothing is drawn before the hit
    bombOnShip(2, 214);
    for (int draw = 0; draw < 30000 + 50000; ++draw) platform.queue({0.5f});  // the explosion, the game over
    platform.queue({0.01f, 0.04f, 0.07f});  // then invaders 1, 2 and 3 of a fresh wave 1
    form->MoveBombs();
    for (int x : {61, 97, 133}) EXPECT_EQ(count(QRect(x, 127, 3, 3), Yellow), 9) << "bomb at " << x;
}

TEST_F(BombsTest, ADropThatWouldGiveXZeroIsPickedAgainAndWithNobodyToDropItTheSlotStaysFree) {
    for (int k = 3; k <= 30; ++k) form->arrInvDead[k] = true;
    form->arrInvX[1] = -5;  // at the far left a drop lands on X = 0, which marks a free slot
    form->arrInvX[2] = 100;
    form->arrInvY[2] = 200;
    platform.queue({0.01f, 0.04f});  // invader 1, then invader 2
    const int before = platform.draws;
    form->MoveBombs();
    EXPECT_TRUE(platform.draws - before == 2 && form->arrBombX[1] == 105 && count(QRect(105, 210, 3, 3), Yellow) == 9);

    form->arrInvDead[2] = true;  // only the invader at -5 is left
    form->arrBombX[1] = 0;
    form->MoveBombs();
    EXPECT_TRUE(form->arrBombX[1] == 0 && platform.draws - before == 2) << "no pick that could never give a place";
}
