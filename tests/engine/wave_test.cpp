// Setting up a wave: the formation's layout by skill, speed and wave, the
// pictures, the opening music and the pause before the march.
#include "tests/support/GameTest.h"

using WaveTest = GameTest;

TEST_F(WaveTest, TheFormationComesLowerEachWaveDownToTheSkillsFloor) {
    // The reverse factor, the formation's top, the Left of the first and last invader, then their Top.
    // Medium's floor is reached exactly at wave 9, and a very long game never overflows the offset.
    const struct { MenuItem& skill; int wave; QList<float> layout; } waves[] = {
        {form->mnuEasy, 1, {-1.005, 82, 46, 176, 112, 232}}, {form->mnuHard, 20, {-1.04, 180, 66, 296, 220, 380}},
        {form->mnuMedium, 9, {-1.02, 210, 56, 236, 245, 385}},
        {form->mnuMedium, 32767, {-1.02, 210, 56, 236, 245, 385}}};
    load();
    for (const auto& w : waves) {
        for (MenuItem* item : form->mnuSkill.items()) item->setChecked(item == &w.skill);
        form->intWave = static_cast<Integer>(w.wave);
        form->SetUpWave();
        EXPECT_EQ(QList<float>({form->sngReverseFactor, form->sngFormTop, form->arrInvX[1], form->arrInvX[30],
                                form->arrInvY[1], form->arrInvY[30]}), w.layout) << "wave " << w.wave;
    }
}

TEST_F(WaveTest, ANewWaveKeepsTheShipAndTheScoreAndClearsEverythingElse) {
    start();
    form->intShipX = 250;
    form->dblScore = 120;
    form->arrBombX[3] = 100;
    form->arrInvDead[5] = true;
    form->imgbases[2].hide();
    form->Imgmothership.show();
    form->lblbonus.show();

    form->SetUpWave();

    EXPECT_TRUE(form->Image36.left() == 250 && form->dblScore == 120 && form->arrBombX[3] == 0 && !form->arrInvDead[5]);
    EXPECT_TRUE(form->imgbases[2].visible() && !form->Imgmothership.visible() && !form->lblbonus.visible());
    EXPECT_EQ(form->intI, 30) << "the missile's scan relies on the index left behind";
    const QImage invader = QImage(platform.path(QStringLiteral("invader.bmp"))).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(form->inv[17].picture(), invader) << "pictures come from the files beside the program";
}

TEST_F(WaveTest, Timer1WaitsOutThePauseWithOrWithoutTheOpeningMusic) {
    load();  // the first wave, with sound on
    EXPECT_EQ(platform.played, QStringList({"Sheet.wav"}));
    const int held = platform.holdMilliseconds;
    EXPECT_GE(held, 1000);

    form->Timer1.setInterval(93);
    bool runningDuringPause = true;
    platform.duringHold = [&] { runningDuringPause = form->Timer1.enabled(); };
    form->mnuSound_Click();
    form->SetUpWave();
    EXPECT_TRUE(!runningDuringPause && form->Timer1.enabled() && form->Timer1.interval() == 1000);
    EXPECT_EQ(platform.played, QStringList({"Sheet.wav"})) << "no music with sound switched off";
    EXPECT_EQ(platform.holdMilliseconds, 2 * held) << "the pause is the same without music";
}
