// The main tick: the missile in pairs of steps by the Missile setting, the
// second bomb step of Bomb Speed High, the demo pilot's timer, the bonus
// label's countdown, and the mothership's passes across the top.
#include "tests/support/GameTest.h"

#include <vector>

namespace {

using Tick = GameTest;

TEST_F(Tick, TheMissileMovesInPairsByItsSettingAndBombSpeedHighAddsABombStep) {
    start();
    for (int speed = 1; speed <= 4; ++speed) {
        form->mnuMissile.items()[speed - 1]->click();
        form->blnMissile = true;
        form->intMissileX = 350;  // between two bases, clear of the formation
        form->intMissileY = 412;
        form->Timer2_Timer();
        const int rise = 4 * speed * speed;  // 2 x speed steps of 2 x speed each
        EXPECT_EQ(count(QRect(350, 405 - rise, 2, 8), Green), 16) << "risen " << rise;
        form->surface.box(350, 300, 351, 420, Black);
    }

    form->mnu1.click();
    form->mnuHigh.click();
    form->arrBombX[1] = 450;
    form->arrBombY[1] = 250;
    form->arrBombSpeed[1] = 1;
    form->Timer2_Timer();
    EXPECT_EQ(count(QRect(450, 252, 3, 3), Yellow), 9) << "fallen 1, then 1.05";
}

TEST_F(Tick, BetweenGamesTheBonusLabelHidesAMothershipCrossesAndTheDemoPilotRuns) {
    load();
    int restarts = 0;
    form->Timer6.onChange([&] { ++restarts; });
    form->mnuSound.click();  // off
    form->lblbonus.show();   // as a hit left it
    form->intBonusTicks = 20;
    for (int step = 1; step <= 18; ++step) platform.queue({0.5f});  // no pass in these steps
    platform.queue({0.005f});  // then the one draw in 250 that starts one
    for (int step = 1; step <= 18; ++step) form->GameStep();
    EXPECT_TRUE(form->lblbonus.visible());
    form->GameStep();
    EXPECT_FALSE(form->lblbonus.visible()) << "19 game steps after the hit";
    EXPECT_FALSE(form->Imgmothership.visible()) << "the pass shows from the next step";

    std::vector<int> lefts, tops;
    while (form->blnMotherActive) {
        form->GameStep();
        lefts.push_back(form->Imgmothership.left());
        tops.push_back(form->Imgmothership.top());
        if (lefts.size() == 100) {
            const QRect ship = form->Imgmothership.rect();
            EXPECT_LT(count(ship, Black), ship.width() * ship.height());
            EXPECT_FALSE(platform.played.contains(QStringLiteral("mother.wav")));
            form->mnuSound.click();
        }
    }
    EXPECT_EQ(lefts.size(), 251u);
    EXPECT_EQ(lefts.front(), -100);
    EXPECT_EQ(std::vector<int>(tops.begin(), tops.begin() + 10), (std::vector<int>{70, 71, 72, 73, 74, 75, 76, 77, 76, 75}));
    EXPECT_EQ(platform.played.count(QStringLiteral("mother.wav")), 1) << "from the step sound came on";
    EXPECT_TRUE(form->Timer6.enabled() && restarts == 0) << "the demo pilot's timer left running, keeping its count";

    form->mnuStart.click();
    form->GameStep();
    EXPECT_FALSE(form->Timer6.enabled());
}

}  // namespace
