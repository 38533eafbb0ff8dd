// The missile: how far it flies, what it finds above its head (a bomb, the
// mothership, a base, invaders), and what each hit is worth.
#include <QImage>

#include "tests/support/GameTest.h"

class MissileTest : public GameTest {
protected:
    // A black window, so only what a test paints is there to be hit.
    void darken() { form->surface.box(0, 0, Surface::Width - 1, Surface::Height - 1, Black); }
    // Puts a missile in flight at full speed: it rises 8 a step.
    void fire(int x, int y) {
        form->intMissileX = static_cast<Integer>(x);
        form->intMissileY = static_cast<Integer>(y);
        form->blnMissile = true;
    }
    // Fires at a point that the next step finds just above the missile's head.
    void fireAt(int x, int h) {
        form->surface.pset(x, h + 1, Grey);
        fire(x, h + 17);
    }
    static constexpr Long Grey = RGB(128, 128, 128);
};

TEST_F(MissileTest, FliesOnThroughEmptySkyAndStopsAtTheTop) {
    start();
    darken();
    fire(300, 105);
    form->MoveMissile();
    EXPECT_TRUE(form->blnMissile);
    EXPECT_EQ(count(QRect(300, 90, 2, 8), Green), 16) << "drawn at its new place";
    EXPECT_EQ(count(QRect(300, 98, 2, 8), Green), 0) << "erased at its old place";

    form->surface.pset(300, 81, Grey);
    form->blnMotherActive = true;
    form->MoveMissile();
    EXPECT_FALSE(form->blnMissile);
    EXPECT_EQ(count(QRect(290, 70, 20, 40), Green), 0);
    EXPECT_TRUE(form->blnMotherActive) << "above the top limit nothing is tested";

    form->MoveMissile();  // the second step of a pair, with no missile in flight
    EXPECT_EQ(form->intMissileY, 81);
    EXPECT_EQ(count(QRect(290, 60, 20, 40), Green), 0);
}

TEST_F(MissileTest, ABombIsShotDownOnlyWhereTheBombIs) {
    start();
    darken();
    form->arrBombX[3] = 200;
    form->arrBombY[3] = 150;
    form->surface.box(200, 150, 202, 152, Yellow);
    fire(201, 167);
    form->MoveMissile();
    EXPECT_EQ(form->arrBombX[3], 0);
    EXPECT_FALSE(form->blnMissile);
    EXPECT_EQ(count(QRect(190, 130, 20, 40), Yellow), 0);
    EXPECT_EQ(count(QRect(190, 130, 20, 40), Green), 0);
    EXPECT_EQ(form->dblScore, 0) << "a bomb is worth nothing";

    form->arrBombX[1] = 300;  // a bomb, but far from this yellow pixel
    form->arrBombY[1] = 120;
    form->surface.pset(60, 121, Yellow);
    fire(60, 137);
    form->MoveMissile();
    EXPECT_TRUE(form->arrInvDead[1]) << "the invader under the yellow pixel is hit";
    EXPECT_EQ(form->arrBombX[1], 300);
}

TEST_F(MissileTest, TheMothershipPaysMoreTheCloserToItsMiddle) {
    start();
    const struct {
        int distance, bonus;
        const char* caption;
    } hits[] = {{0, 10000, " 10000"}, {1, 5000, " 5000"}, {2, 4000, " 4000"},
                {31, 500, " 500"},    {32, 250, " 250"},   {300, 250, " 250"}};
    for (const auto& hit : hits) {
        darken();
        form->dblScore = 0;
        form->blnMotherActive = true;
        form->intMotherX = 100;
        form->intMotherY = 66;
        form->Imgmothership.show();
        fireAt(132 + hit.distance, 91);

        form->MoveMissile();

        EXPECT_EQ(form->dblScore, hit.bonus) << "distance " << hit.distance;
        EXPECT_EQ(form->lblbonus.caption(), QString::fromLatin1(hit.caption));
        EXPECT_TRUE(form->lblbonus.visible());
        EXPECT_EQ(form->lblbonus.left(), 100);
        EXPECT_EQ(form->lblbonus.top(), 66);
        EXPECT_EQ(form->intBonusTicks, 20);
        EXPECT_FALSE(form->Imgmothership.visible());
        EXPECT_FALSE(form->blnMotherActive);
        EXPECT_FALSE(form->blnMissile);
    }
    EXPECT_EQ(platform.played.count(QStringLiteral("expl.wav")), 6);
}

TEST_F(MissileTest, LowContactsWearTheBasesAwayUntilTheBasesAreGone) {
    start();
    darken();
    form->surface.box(180, 315, 200, 345, Grey);  // whatever stands there
    platform.queue({0.0f, 0.0f});                 // the first dot at (-6, -12)
    for (int dot = 2; dot <= 35; ++dot) platform.queue({0.99f, 0.99f});  // the rest at (5, 7)
    const int draws = platform.draws;
    fireAt(190, 323);

    form->MoveMissile();

    EXPECT_EQ(platform.draws - draws, 70);
    EXPECT_FALSE(form->blnMissile);
    EXPECT_EQ(count(QRect(184, 320, 3, 3), Black), 9);
    EXPECT_EQ(count(QRect(195, 339, 3, 3), Black), 9);
    EXPECT_EQ(pixel(183, 320), Grey);
    EXPECT_EQ(pixel(198, 341), Grey);
    EXPECT_EQ(form->dblScore, 0);

    form->intInvasionLevel = 1;
    form->arrInvX[7] = 182;
    form->arrInvY[7] = 318;
    fireAt(190, 323);
    form->MoveMissile();
    EXPECT_TRUE(form->arrInvDead[7]) << "with the bases gone a low contact finds invaders";
}

TEST_F(MissileTest, AnInvaderHitExplodesScoresAndSpeedsUpTheMarch) {
    start();
    darken();
    form->intLowestInv = 25;  // invader 25 stands at (56, 257)
    fireAt(60, 260);

    form->MoveMissile();

    EXPECT_TRUE(form->arrInvDead[25]);
    EXPECT_EQ(form->inv[24].picture(), QImage(platform.path(QStringLiteral("invexpl.bmp"))).convertToFormat(
                                           form->inv[24].picture().format()));
    EXPECT_EQ(form->dblScore, 180) << "the lowest invader is worth 80 more";
    EXPECT_EQ(platform.played.last(), QStringLiteral("invader.wav"));
    EXPECT_EQ(form->intKills, 1);
    EXPECT_EQ(form->Timer1.interval(), 930);
    EXPECT_FLOAT_EQ(form->sngStepX, 0.75f * 1.07f);
    EXPECT_FALSE(form->blnMissile);
    EXPECT_EQ(count(QRect(50, 250, 20, 30), Green), 0);
}

TEST_F(MissileTest, AKillIsWorthMoreInLaterWavesAndLaterInTheWave) {
    start();
    const int table[3][4] = {{1, 100, 110, 120}, {2, 200, 220, 250}, {5, 500, 550, 640}};
    for (const auto& row : table) {
        const int kills[3] = {0, 10, 29};
        for (int column = 0; column < 3; ++column) {
            form->intWave = static_cast<Integer>(row[0]);
            form->intKills = static_cast<Integer>(kills[column]);
            form->arrInvDead[1] = false;
            form->arrInvX[1] = 56;
            form->arrInvY[1] = 117;
            form->dblScore = 0;
            darken();
            fireAt(60, 120);

            form->MoveMissile();

            const int waveBonus = kills[column] == 29 ? (row[0] + 1) * 1000 : 0;
            EXPECT_EQ(form->dblScore, row[column + 1] + waveBonus)
                << "wave " << row[0] << ", kills " << kills[column];
        }
    }
}

TEST_F(MissileTest, TheLastKillOfAWaveBringsTheNextWithItsBonus) {
    start();
    form->intWave = 9;
    form->intKills = 29;
    fireAt(60, 120);

    form->MoveMissile();

    EXPECT_EQ(form->intWave, 10);
    EXPECT_EQ(form->intLives, 4);
    EXPECT_EQ(form->dblScore, 900 + 260 + 10000);
    EXPECT_EQ(form->intKills, 0);
    EXPECT_FALSE(form->arrInvDead[1]);
    EXPECT_EQ(form->arrInvY[1], 245) << "the next wave stands lower";
    EXPECT_FALSE(form->blnMissile);

    form->intWave = 40;  // a long game overflows neither the bonus nor the wave number
    form->arrInvY[1] = 117;
    form->intKills = 29;
    form->dblScore = 0;
    fireAt(60, 120);
    form->MoveMissile();
    EXPECT_EQ(form->intWave, 41);
    EXPECT_EQ(form->dblScore, 4000 + 1160 + 41000);

    form->intWave = 32767;
    form->intKills = 29;
    form->dblScore = 0;
    fireAt(60, 250);  // invader 1 of the low formation at (56, 245)
    form->MoveMissile();
    EXPECT_EQ(form->intWave, 32767) << "the wave number stops at its largest";
    EXPECT_EQ(form->dblScore, 3276700 + 950240 + 32767000);
}

TEST_F(MissileTest, TwoInvadersHoldingThePointDieInOneStep) {
    start();
    darken();
    form->arrInvX[2] = 60;  // moved over invader 1 at (56, 117)
    form->arrInvY[2] = 120;
    fireAt(62, 125);

    form->MoveMissile();

    EXPECT_TRUE(form->arrInvDead[1]);
    EXPECT_TRUE(form->arrInvDead[2]);
    EXPECT_EQ(form->intKills, 2);
    EXPECT_EQ(form->dblScore, 200);
    EXPECT_EQ(form->Timer1.interval(), 864);
}

TEST_F(MissileTest, TheAttractDisplayKillsAndClearsWavesForNoPoints) {
    load();
    form->dblScore = 500;  // the last game's score
    fireAt(60, 120);
    form->MoveMissile();
    EXPECT_TRUE(form->arrInvDead[1]);
    EXPECT_EQ(form->Timer1.interval(), 930);

    form->intWave = 9;
    form->intKills = 29;
    fireAt(92, 120);
    form->MoveMissile();
    EXPECT_EQ(form->intWave, 10);
    EXPECT_EQ(form->intLives, 1);
    EXPECT_EQ(form->dblScore, 500);
}
