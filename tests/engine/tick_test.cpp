// The main tick: the missile in pairs of steps by the Missile setting, the
// second bomb step of Bomb Speed High, the demo pilot's timer, the bonus
// label's countdown, and the mothership's passes across the top.
#include "tests/support/GameTest.h"

#include <vector>

using Tick = GameTest;

TEST_F(Tick, TheMissileMovesInPairsByItsSettingAndBombSpeedHighAddsABombStep) {
    start();
    for (int speed = 1; speed <= 4; ++speed) {
        form->mnuMissile.items()[speed - 1]->click();
        form->blnMissile = true;
        form->intMissileX = 350;  // between two bases, clear of the formation
        form->intMissileY = 412;
        form->Timer2_Timer();
        // Risen by 2 x speed steps of 2 x speed each.
        EXPECT_EQ(count(QRect(350, 405 - 4 * speed * speed, 2, 8), Green), 16) << "speed " << speed;
        form->surface.box(350, 300, 351, 420, Black);
    }

    form->mnuHigh.click();
    form->arrBombX[1] = 450;
    form->arrBombY[1] = 250;
    form->arrBombSpeed[1] = 1;
    form->Timer2_Timer();
    EXPECT_EQ(count(QRect(450, 252, 3, 3), Yellow), 9) << "fallen 1, then 1.05";
}

TEST_F(Tick, BetweenGamesTheBonusLabelHidesAMothershipCrossesAndTheDemoPilotStopsInPlay) {
    load();
    form->mnuSound.click();  // off
    form->lblbonus.show();   // as a hit left it, 17 game steps ago
    form->intBonusTicks = 3;
    platform.queue({0.5f, 0.005f});  // no pass in the first step, then the one draw in 250 that starts one
    form->GameStep();
    EXPECT_TRUE(form->lblbonus.visible());
    form->GameStep();
    // The label goes 19 steps after the hit; a pass shows from the step after it starts.
    EXPECT_FALSE(form->lblbonus.visible() || form->Imgmothership.visible());

    std::vector<QPoint> path;
    while (form->blnMotherActive) {
        form->GameStep();
        path.push_back(form->Imgmothership.rect().topLeft());
        if (path.size() == 100) {
            const QRect ship = form->Imgmothership.rect();
            EXPECT_LT(count(ship, Black), ship.width() * ship.height());
            EXPECT_FALSE(platform.played.contains(QStringLiteral("mother.wav")));
            form->mnuSound.click();
        }
    }
    EXPECT_EQ(path.size(), 251u) << "3 a step, from -100 to 650";
    // From beyond the left edge, bobbing down 7 and back.
    EXPECT_TRUE(path[0] == QPoint(-100, 70) && path[7] == QPoint(-79, 77) && path[9] == QPoint(-73, 75));
    EXPECT_EQ(platform.played.count(QStringLiteral("mother.wav")), 1) << "from the step sound came on";

    form->mnuStart.click();
    form->GameStep();
    EXPECT_FALSE(form->Timer6.enabled());
}
