// Setting up a wave: the formation's layout by skill, speed and wave, the
// pictures, the opening music and the pause before the march.
#include "tests/support/GameTest.h"

class WaveTest : public GameTest {
protected:
    void setUpWave(MenuItem& skill, int wave) {
        load();
        for (MenuItem* item : form->mnuSkill.items()) item->setChecked(item == &skill);
        form->intWave = static_cast<Integer>(wave);
        form->SetUpWave();
    }
};

TEST_F(WaveTest, EasyWaveOneStandsHighAndNarrow) {
    setUpWave(form->mnuEasy, 1);
    EXPECT_EQ(form->arrInvY[1], 112);
    EXPECT_EQ(form->arrInvY[25], 232);
    for (int column = 1; column <= 6; ++column) EXPECT_EQ(form->arrInvX[column], 20 + 26 * column);
    EXPECT_EQ(form->arrInvX[30], 176);
    EXPECT_FLOAT_EQ(form->sngReverseFactor, -1.005f);
}

TEST_F(WaveTest, TheFormationComesLowerEachWaveDownToTheSkillsFloor) {
    setUpWave(form->mnuHard, 20);
    EXPECT_EQ(form->sngFormTop, 180);
    EXPECT_EQ(form->arrInvY[25], 380);
    EXPECT_EQ(form->arrInvX[6], 296);

    setUpWave(form->mnuMedium, 9);
    EXPECT_EQ(form->sngFormTop, 210);

    setUpWave(form->mnuMedium, 32767);
    EXPECT_EQ(form->sngFormTop, 210) << "a very long game never overflows the offset";
}

TEST_F(WaveTest, SpeedComesFromTheCheckMarksAndAGroupWithoutOneKeepsItsValue) {
    load();
    form->mnuFast_Click();
    form->SetUpWave();
    EXPECT_EQ(form->sngStepX, 1.25f);

    for (MenuItem* item : form->mnuSpeed.items()) item->setChecked(false);
    form->sngStepX = -3;
    form->SetUpWave();
    EXPECT_EQ(form->sngStepX, -3);
}

TEST_F(WaveTest, ANewWaveKeepsTheShipAndTheScoreAndClearsEverythingElse) {
    start();
    form->intShipX = 250;
    form->dblScore = 1234;
    form->blnNewHigh = true;
    form->arrBombX[3] = 100;
    form->arrBombY[3] = 150;
    form->arrInvDead[5] = true;
    form->surface.box(300, 250, 310, 260, Yellow);
    form->imgbases[2].hide();

    form->SetUpWave();

    EXPECT_EQ(form->Image36.left(), 250);
    EXPECT_EQ(form->dblScore, 1234);
    EXPECT_TRUE(form->blnNewHigh) << "a pending high score is not forgotten";
    EXPECT_EQ(form->arrBombX[3], 0);
    EXPECT_FALSE(form->arrInvDead[5]);
    EXPECT_EQ(count(QRect(300, 250, 11, 11), Yellow), 0);
    EXPECT_TRUE(form->imgbases[2].visible());
    EXPECT_FALSE(form->Imgmothership.visible());
    EXPECT_FALSE(form->lblbonus.visible());
    EXPECT_EQ(form->intI, 30) << "the missile's scan relies on the index left behind";
}

TEST_F(WaveTest, Timer1WaitsOutThePauseAndStartsAtItsEnd) {
    load();
    form->Timer1.setInterval(93);
    bool runningDuringPause = true;
    platform.duringHold = [&] { runningDuringPause = form->Timer1.enabled(); };

    form->SetUpWave();

    EXPECT_FALSE(runningDuringPause);
    EXPECT_TRUE(form->Timer1.enabled());
    EXPECT_EQ(form->Timer1.interval(), 1000);
    EXPECT_GE(platform.holdMilliseconds, 1000);
}

TEST_F(WaveTest, TheOpeningMusicFollowsTheSoundSwitch) {
    load();
    platform.played.clear();
    form->mnuSound_Click();
    form->SetUpWave();
    EXPECT_TRUE(platform.played.isEmpty());
    EXPECT_EQ(platform.holds, 2) << "the pause is the same without music";
}

TEST_F(WaveTest, EveryPictureComesFromTheFilesBesideTheProgram) {
    load();
    const QImage invader(platform.path(QStringLiteral("invader.bmp")));
    EXPECT_EQ(form->inv[17].picture(), invader.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(form->Image36.width(), 29);
    EXPECT_EQ(form->imgbases[4].picture(),
              QImage(platform.path(QStringLiteral("base.bmp"))).convertToFormat(QImage::Format_RGB32));
}
