// The formation's march: the step sideways, the edges with their turn,
// speed-up and drop, the limits that trigger nothing, the bases and
// invasion lines, and Timer1's animation with its four-note beat.
#include "tests/support/GameTest.h"

using March = GameTest;

TEST_F(March, AnEdgeTurnsTheFormationFasterByTheSkillAndDropsItOnceWithinTheBoundsOfBeatAndStep) {
    load();
    const struct { MenuItem& skill; float step, drop; } skills[] = {{form->mnuEasy, -0.75f * 1.005f, 10},
                                                                     {form->mnuMedium, -0.75f * 1.02f, 14},
                                                                     {form->mnuHard, -0.75f * 1.04f * 1.05f, 18}};
    for (const auto& s : skills) {
        s.skill.click();
        form->SetUpWave();
        const Single right = form->arrInvX[6], top = form->arrInvY[6];
        for (int i = 1; i <= 30; ++i) form->arrInvX[i] += 600 - right;  // the right column at the limit
        form->MarchFormation();  // steps past it: the edge
        EXPECT_EQ(form->Timer1.interval(), 930);
        EXPECT_FLOAT_EQ(form->sngStepX, s.step);
        EXPECT_FLOAT_EQ(form->arrInvY[6], top) << "the drop waits for the next tick";
        for (int tick = 2; tick <= 3; ++tick) form->MarchFormation();
        EXPECT_FLOAT_EQ(form->arrInvX[6], 600.75f + 2 * s.step) << "back";
        EXPECT_FLOAT_EQ(form->arrInvY[6], top + s.drop) << "and down once";
    }

    form->Timer1.setInterval(53);
    form->sngStepX = 15;
    form->arrInvX[1] = 700;
    form->MarchFormation();
    EXPECT_EQ(form->Timer1.interval(), 50) << "the fastest beat";
    EXPECT_FLOAT_EQ(form->sngStepX, -15.0f) << "the fastest step";
}

TEST_F(March, OnlyLivingInvadersPastALimitTriggerItAndEachLineHasItsEffect) {
    start();
    form->sngStepX = 0.5f;
    form->arrInvX[1] = 9.5f;    // steps to exactly 10
    form->arrInvX[6] = 599.5f;  // steps to exactly 600
    form->arrInvY[25] = 300;
    form->arrInvDead[30] = true;  // dead, far below
    form->arrInvY[30] = 500;
    form->MarchFormation();
    EXPECT_TRUE(!form->blnEdgeHit && form->intLowestInv == 25);
    const QRect base = form->imgbases[0].rect();
    EXPECT_LT(count(base, Black), base.width() * base.height()) << "the bases stand";

    form->arrInvY[26] = 390;  // past the bases line, not yet an invasion
    form->MarchFormation();
    EXPECT_EQ(form->intLowestInv, 26);
    EXPECT_EQ(count(base, Black), base.width() * base.height()) << "the bases are gone";
    form->arrInvY[26] = 390.5f;  // the invasion ends the game at once
    form->MarchFormation();
    EXPECT_TRUE(form->intGameState == 1 && form->arrInvY[25] == 257.0f) << "a fresh wave 1";
    EXPECT_LT(count(base, Black), base.width() * base.height()) << "with its bases";
}

TEST_F(March, TimerOneSwapsThePicturesAndBeatsFourNotesWhileSoundIsOn) {
    load();
    // True when the surface shows the file's picture where the image stands.
    const auto shows = [&](const Image& image, const QString& file) {
        return form->surface.image().copy(image.rect()) == QImage(platform.path(file));
    };
    form->PlaceInvaders();
    form->arrInvDead[3] = true;
    platform.played.clear();
    form->Timer1_Timer();
    EXPECT_TRUE(shows(form->inv[0], "invader.bmp") && !form->inv[2].visible());
    form->Timer1_Timer();
    EXPECT_TRUE(shows(form->inv[29], "invader1.bmp"));
    for (int tick = 0; tick < 3; ++tick) form->Timer1_Timer();
    EXPECT_EQ(platform.played, (QStringList{"note1.wav", "note2.wav", "note3.wav", "note4.wav", "note1.wav"}));

    form->mnuSound_Click();  // off: the pictures still swap, the beat waits
    form->Timer1_Timer();
    EXPECT_TRUE(shows(form->inv[0], "invader1.bmp"));
    form->mnuSound_Click();
    platform.remove(QStringLiteral("invader.bmp"));  // a picture gone missing leaves the invaders as they were
    form->Timer1_Timer();
    EXPECT_TRUE(shows(form->inv[0], "invader1.bmp") && form->blnInvFrame);
    EXPECT_EQ(platform.played.mid(5), QStringList{"note2.wav"});
}
