// The missile: how far it flies, what it finds above its head (a bomb, the
// mothership, a base, invaders), and what each hit is worth.
#include <QImage>

#include "tests/support/GameTest.h"

constexpr Long Grey = RGB(128, 128, 128);

class MissileTest : public GameTest {
protected:
    // A game on a black window, so only what a test paints is there to be hit.
    void SetUp() override {
        start();
        form->surface.box(0, 0, Surface::Width - 1, Surface::Height - 1, Black);
    }
    // One step of a missile in flight at full speed: it rises 8, to find a
    // pixel of the colour above (none for black) at (x, h) over its head.
    void hitAt(int x, int h, Long above = Grey) {
        if (above != Black) form->surface.pset(x, h + 1, above);
        form->intMissileX = static_cast<Integer>(x);
        form->intMissileY = static_cast<Integer>(h + 17);
        form->blnMissile = true;
        form->MoveMissile();
    }
};

TEST_F(MissileTest, AboveTheTopItEndsWithoutLookingAndInTheSkyItShootsBombsDown) {
    form->blnMotherActive = true;
    hitAt(300, 80);  // to 89, past the top limit, with the mothership's grey over its head
    EXPECT_TRUE(form->blnMotherActive && !form->blnMissile);
    EXPECT_EQ(count(QRect(290, 60, 20, 50), Green), 0) << "erased at once";

    form->arrBombX[3] = 200;
    form->arrBombY[3] = 150;
    form->surface.box(200, 150, 202, 152, Yellow);
    hitAt(201, 150, Black);
    hitAt(60, 120, Yellow);  // over invader 1, with no bomb there
    EXPECT_TRUE(form->arrBombX[3] == 0 && count(QRect(190, 130, 20, 40), Black) == 800) << "bomb and missile erased";
    EXPECT_EQ(form->dblScore, 100) << "the bomb is worth nothing; a yellow pixel without its bomb hits invader 1";
}

TEST_F(MissileTest, TheMothershipPaysMoreTheCloserToItsMiddle) {
    const struct { int distance, bonus; } hits[] = {{0, 10000}, {1, 5000}, {2, 4000}, {31, 500}, {32, 250}, {300, 250}};
    form->intMotherX = 100;
    form->intMotherY = 66;
    for (const auto& hit : hits) {
        form->blnMotherActive = true;
        form->Imgmothership.show();
        hitAt(132 + hit.distance, 91);
        EXPECT_EQ(form->lblbonus.caption(), QStringLiteral(" %1").arg(hit.bonus)) << "distance " << hit.distance;
        EXPECT_FALSE(form->Imgmothership.visible() || form->blnMotherActive || form->blnMissile);
    }
    EXPECT_TRUE(form->dblScore == 10000 + 5000 + 4000 + 500 + 250 + 250 && form->intBonusTicks == 20);
    EXPECT_TRUE(form->lblbonus.visible() && form->lblbonus.rect().topLeft() == QPoint(100, 66));
    EXPECT_EQ(platform.played.count(QStringLiteral("expl.wav")), 6);
}

TEST_F(MissileTest, LowContactsWearTheBasesAwayUntilTheBasesAreGone) {
    form->surface.box(180, 315, 200, 345, Grey);  // whatever stands there
    platform.queue({0.0f, 0.0f});                 // the first dot at (-6, -12)
    for (int dot = 2; dot <= 35; ++dot) platform.queue({0.99f, 0.99f});  // the rest at (5, 7)
    const int draws = platform.draws;
    hitAt(190, 323);
    EXPECT_EQ(platform.draws - draws, 70);
    EXPECT_EQ(count(QRect(184, 320, 3, 3), Black) + count(QRect(195, 339, 3, 3), Black), 18);
    EXPECT_TRUE(pixel(183, 320) == Grey && pixel(198, 341) == Grey) << "each dot is 3 x 3";

    form->intInvasionLevel = 1;
    form->arrInvX[7] = 182;
    form->arrInvY[7] = 318;
    hitAt(190, 323);
    EXPECT_TRUE(form->arrInvDead[7]) << "with the bases gone a low contact finds invaders";
}

TEST_F(MissileTest, EveryInvaderHoldingThePointExplodesScoresAndSpeedsUpTheMarch) {
    form->intLowestInv = 25;  // invader 25 stands at (56, 257)
    form->arrInvX[26] = 60;   // invader 26 moved over it
    form->arrInvY[26] = 255;
    hitAt(62, 260);
    const QImage blast = QImage(platform.path(QStringLiteral("invexpl.bmp"))).convertToFormat(QImage::Format_RGB32);
    for (int i : {25, 26}) EXPECT_EQ(form->inv[i - 1].picture().convertToFormat(QImage::Format_RGB32), blast);
    EXPECT_EQ(form->dblScore, 80 + 100 + 100) << "the lowest invader is worth 80 more";
    EXPECT_TRUE(platform.played.count(QStringLiteral("invader.wav")) == 2 && form->Timer1.interval() == 864);
    EXPECT_FLOAT_EQ(form->sngStepX, 0.75f * 1.07f * 1.07f);
}

TEST_F(MissileTest, AKillIsWorthMoreLaterAndTheLastOfAWaveBringsTheNextWithItsBonusInPlayOrNot) {
    // In play (state 0), or between games (1), where a cleared wave scores nothing but still brings its life.
    const struct { int state, wave, kills, points; } kills[] = {
        {0, 1, 0, 100}, {0, 1, 10, 110}, {0, 2, 10, 220}, {0, 2, 28, 250}, {0, 5, 28, 640}, {1, 9, 29, 0},
        {0, 9, 29, 900 + 260 + 10000}, {0, 32767, 29, 3276700 + 950240 + 32767000}};  // a long game overflows nothing
    for (const auto& kill : kills) {
        form->intGameState = static_cast<Integer>(kill.state);
        form->intWave = static_cast<Integer>(kill.wave);
        form->intKills = static_cast<Integer>(kill.kills);
        form->arrInvDead[1] = false;
        form->dblScore = 0;
        hitAt(static_cast<int>(form->arrInvX[1]) + 4, static_cast<int>(form->arrInvY[1]) + 3);
        EXPECT_EQ(form->dblScore, kill.points) << "wave " << kill.wave << ", kills " << kill.kills;
    }
    EXPECT_EQ(form->intLives, 3 + 2) << "a life for reaching wave 10, each time";
}

TEST_F(MissileTest, TheBombHitBoxIsWorkedOutInSinglesRoundingItsEdgesOutward) {
    // 256 - 1/65536 lies on the edge of float's precision: 5 below it is
    // exact, 5 above it rounds to 261, so a head at 261 is inside the box.
    const float justBelow256 = 256.0f - 1.0f / 65536.0f;
    form->arrBombX[2] = 100;
    form->arrBombY[2] = justBelow256;
    hitAt(100, 260, Yellow);  // the look-out row at 261
    EXPECT_EQ(form->arrBombX[2], 0) << "shot down at the box's bottom edge";

    form->arrBombX[2] = justBelow256;  // 4 to the right rounds to 260 as well
    form->arrBombY[2] = 200;
    hitAt(260, 195, Yellow);
    EXPECT_EQ(form->arrBombX[2], 0) << "shot down at the box's right edge";
}
