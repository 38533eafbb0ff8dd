// The window's life: load into the attract display, Start, the restart
// step, Exit, and what happens when the pictures beside the program are
// missing.
#include "tests/support/GameTest.h"

using LifecycleTest = GameTest;

TEST_F(LifecycleTest, LoadOpensTheAttractDisplayWithWaveOneReady) {
    load();

    EXPECT_EQ(form->intGameState, 1);
    EXPECT_EQ(form->dblHighScore, 0);
    EXPECT_EQ(form->strHighName, QString());
    EXPECT_EQ(form->intWave, 1);
    EXPECT_EQ(form->intLives, 0);
    EXPECT_EQ(form->intBombCount, 10);
    EXPECT_EQ(form->intMissileSpeed, 4);
    EXPECT_FALSE(form->blnBombSpeedHigh);
    EXPECT_TRUE(form->blnSound);
    EXPECT_EQ(form->Timer1.interval(), 1000);
    EXPECT_TRUE(form->Timer1.enabled());
    EXPECT_TRUE(form->lblGameOver.visible());
    for (const MenuItem* menu : form->menuBar()) EXPECT_TRUE(menu->visible());
    EXPECT_EQ(form->surface.backColor(), Black);
    EXPECT_EQ(form->intShipX, 1);
    EXPECT_EQ(form->Image36.rect().topLeft(), QPoint(1, 400));
    EXPECT_EQ(form->arrRating[5], QStringLiteral("INVADER-KING"));
    EXPECT_EQ(platform.mediaCommands, QStringList({"close all"}));
    EXPECT_FALSE(platform.exitStatus);
}

TEST_F(LifecycleTest, StartBeginsAGameWithTheMenuBarHidden) {
    load();
    QStringList hidden;
    for (MenuItem* menu : form->menuBar())
        menu->onChange([&hidden, menu] {
            if (!menu->visible()) hidden << menu->caption();
        });
    form->Label6.show();
    form->arrBombX[7] = 120;
    form->arrBombY[7] = 200;

    form->mnuStart_Click();

    EXPECT_EQ(form->intGameState, 0);
    EXPECT_EQ(form->dblScore, 0);
    EXPECT_EQ(form->intLives, 3);
    EXPECT_EQ(form->intWave, 1);
    EXPECT_EQ(form->arrBombX[7], 0);
    EXPECT_FALSE(form->blnMissile);
    EXPECT_FALSE(form->Label6.visible());
    EXPECT_FALSE(form->lblGameOver.visible());
    EXPECT_EQ(hidden, QStringList({"Game", "Skill", "Options", "Help", "Bombs", "Speed", "Missile", "Bomb Speed"}));
    EXPECT_EQ(platform.played.last(), QStringLiteral("Sheet.wav"));
}

TEST_F(LifecycleTest, StartDuringAGameBeginsAfreshAndAsksNothing) {
    start();
    form->dblScore = 4000;
    form->intWave = 3;
    form->intLives = 1;
    form->dblHighScore = 4000;
    form->strHighName = QStringLiteral("!");
    form->blnNewHigh = true;

    form->mnuStart_Click();

    EXPECT_EQ(form->dblScore, 0);
    EXPECT_EQ(form->intLives, 3);
    EXPECT_EQ(form->intWave, 1);
    EXPECT_FALSE(form->blnNewHigh);
    EXPECT_TRUE(platform.prompts.isEmpty());
    EXPECT_EQ(form->strHighName, QStringLiteral("!")) << "the abandoned high score stays until the next reset";
}

TEST_F(LifecycleTest, ADoubleClickChangesNothing) {
    start();
    form->intWave = 4;
    form->intShipX = 200;
    form->Form_DblClick();
    EXPECT_EQ(form->intGameState, 0);
    EXPECT_EQ(form->intWave, 4);
    EXPECT_EQ(form->intShipX, 200);
}

TEST_F(LifecycleTest, ExitClosesTheDevicesThenEndsTheProgram) {
    load();
    form->mnuExit_Click();
    EXPECT_EQ(platform.mediaCommands.last(), QStringLiteral("close all"));
    EXPECT_EQ(platform.exitStatus, 0);
}

TEST_F(LifecycleTest, MissingPicturesAtLoadAreNamedAndTheProgramEnds) {
    platform.remove(QStringLiteral("Mother.bmp"));
    platform.remove(QStringLiteral("invexpl.bmp"));

    load();

    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].contains(QStringLiteral("Mother.bmp")));
    EXPECT_TRUE(platform.messages[0].contains(QStringLiteral("invexpl.bmp")));
    EXPECT_FALSE(platform.messages[0].contains(QStringLiteral("ship.bmp")));
    EXPECT_TRUE(platform.messages[0].contains(platform.programDirectory()));
    EXPECT_EQ(platform.exitStatus, 1);
    EXPECT_EQ(platform.holds, 0) << "no wave is set up";
}

TEST_F(LifecycleTest, APictureLostDuringPlayLeavesItsImageEmpty) {
    start();
    platform.remove(QStringLiteral("base.bmp"));

    form->SetUpWave();

    EXPECT_TRUE(form->imgbases[0].picture().isNull());
    EXPECT_FALSE(form->inv[0].picture().isNull());
    EXPECT_FALSE(platform.exitStatus);
    EXPECT_EQ(form->intGameState, 0);
}
