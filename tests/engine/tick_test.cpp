// The main tick: the missile in pairs of steps by the Missile setting, the
// second bomb step of Bomb Speed High, the demo pilot's timer, the bonus
// label's countdown, and the mothership's passes across the top.
#include "tests/support/GameTest.h"

#include <vector>

namespace {

class Tick : public GameTest {
protected:
    // Starts a mothership pass with the one draw in 250 that does it.
    void startPass() {
        platform.queue({0.005f});
        form->GameStep();
    }
};

TEST_F(Tick, MissileMovesInPairsByTheMissileSetting) {
    start();
    const std::vector<std::pair<void (frmVorlane::*)(), int>> settings = {
        {&frmVorlane::mnumis1_Click, 2 * 2}, {&frmVorlane::mnumis2_Click, 4 * 4},
        {&frmVorlane::mnumis3_Click, 6 * 6}, {&frmVorlane::mnumis4_Click, 8 * 8}};
    for (const auto& [setting, rise] : settings) {
        (form.get()->*setting)();
        form->blnMissile = true;
        form->intMissileX = 350;  // between two bases, clear of the formation
        form->intMissileY = 412;
        form->Timer2_Timer();
        EXPECT_EQ(form->intMissileY, 412 - rise);
        EXPECT_TRUE(form->blnMissile);
        EXPECT_EQ(pixel(350, 412 - rise), Green);
        form->surface.box(350, 300, 351, 420, Black);
    }
}

TEST_F(Tick, BombSpeedHighRunsTheBombStepTwice) {
    start();
    form->mnu1_Click();
    for (bool high : {false, true}) {
        high ? form->mnuHigh_Click() : form->mnuLow_Click();
        form->arrBombX[1] = 450;
        form->arrBombY[1] = 250;
        form->arrBombSpeed[1] = 1;
        form->Timer2_Timer();
        EXPECT_FLOAT_EQ(form->arrBombY[1], high ? 252.05f : 251.0f);
        EXPECT_EQ(pixel(450, high ? 252 : 251), Yellow);
        form->surface.box(450, 240, 452, 260, Black);
    }
}

TEST_F(Tick, DemoPilotRunsOnlyWhileNoGameIsInPlay) {
    load();
    int restarts = 0;
    form->Timer6.onChange([&] { ++restarts; });
    form->GameStep();
    form->GameStep();
    EXPECT_TRUE(form->Timer6.enabled());
    EXPECT_EQ(restarts, 0);  // left running, so it keeps its count

    form->mnuStart_Click();
    form->GameStep();
    EXPECT_FALSE(form->Timer6.enabled());
}

TEST_F(Tick, BonusLabelHidesNineteenGameStepsAfterAHit) {
    load();
    form->lblbonus.show();
    form->intBonusTicks = 20;
    for (int step = 1; step <= 18; ++step) form->GameStep();
    EXPECT_TRUE(form->lblbonus.visible());
    form->GameStep();
    EXPECT_FALSE(form->lblbonus.visible());
    form->GameStep();
    form->GameStep();
    EXPECT_EQ(form->intBonusTicks, 0);
}

TEST_F(Tick, MothershipPassCrossesInTwoHundredFiftyOneSteps) {
    load();
    platform.queue({0.5f});
    form->GameStep();
    EXPECT_FALSE(form->blnMotherActive);

    startPass();
    EXPECT_TRUE(form->blnMotherActive);
    EXPECT_FALSE(form->Imgmothership.visible());
    platform.played.clear();

    std::vector<int> lefts, tops;
    int steps = 0;
    while (form->blnMotherActive) {
        form->GameStep();
        ++steps;
        lefts.push_back(form->Imgmothership.left());
        tops.push_back(form->Imgmothership.top());
        if (steps == 100) {
            const QRect ship = form->Imgmothership.rect();
            EXPECT_LT(count(ship, Black), ship.width() * ship.height());
        }
    }
    EXPECT_EQ(steps, 251);
    EXPECT_EQ(lefts.front(), -100);
    EXPECT_EQ(lefts[1], -97);
    EXPECT_EQ(lefts.back(), 650);
    EXPECT_EQ(std::vector<int>(tops.begin(), tops.begin() + 10), (std::vector<int>{70, 71, 72, 73, 74, 75, 76, 77, 76, 75}));
    EXPECT_FALSE(form->Imgmothership.visible());
    EXPECT_EQ(platform.played, QStringList{"mother.wav"});
}

TEST_F(Tick, MothershipCueWaitsForSoundToBeSwitchedOn) {
    load();
    form->mnuSound_Click();
    startPass();
    platform.played.clear();
    for (int step = 0; step < 100; ++step) form->GameStep();
    EXPECT_TRUE(platform.played.isEmpty());

    form->mnuSound_Click();
    form->GameStep();
    EXPECT_EQ(platform.played, QStringList{"mother.wav"});
    for (int step = 0; step < 10; ++step) form->GameStep();
    EXPECT_EQ(platform.played.size(), 1);
}

}  // namespace
