// The status line: its four captions, the moment a score passes the high
// score, the speed indicator it hides, and a pending high score that lasts
// from the wave it was made in to the game's end.
#include "tests/support/GameTest.h"

static QStringList status(const frmVorlane& form) {
    return {form.Label1.caption(), form.Label2.caption(), form.Label3.caption(), form.lblwave.caption()};
}

TEST_F(GameTest, TheStatusTickWritesTheNumbersWithASignPlaceAndHidesTheSpeed) {
    load();
    form->lblspeed.show();
    const int speedShown = count(form->lblspeed.rect(), RGB(0, 128, 0));

    form->Timer3_Timer();

    // Without a high-score file: zero and no name.
    EXPECT_EQ(status(*form), QStringList({"High Score:  0  ()", "Lives:  0", "Score:  0", "Wave:  1"}));
    EXPECT_TRUE(speedShown > 0 && count(form->lblspeed.rect(), RGB(0, 128, 0)) == 0) << "the speed indicator goes";

    // Only the decimals a number has; a minus sign takes the sign's place.
    form->dblScore = 12.5;
    form->dblHighScore = 1234567;
    form->intLives = -1;
    form->intWave = 32767;
    form->Timer3_Timer();
    EXPECT_EQ(status(*form), QStringList({"High Score:  1234567  ()", "Lives: -1", "Score:  12.5", "Wave:  32767"}));
}

TEST_F(GameTest, OnlyAScoreAboveTheHighScoreTakesItOverUntilTheGameEndAsksTheName) {
    start();
    form->dblHighScore = form->dblScore = 950;
    form->strHighName = "ACE";
    form->Timer3_Timer();
    EXPECT_EQ(form->Label1.caption(), "High Score:  950  (ACE)");

    form->dblScore = 2400;
    form->Timer3_Timer();
    EXPECT_EQ(form->Label1.caption(), "High Score:  2400  (!)");

    // The next wave brings no points before the game ends; the name is still asked.
    form->intWave = 2;
    form->SetUpWave();
    platform.answers.push_back("ABCDEFGHIJKL");
    form->intGameState = 2;
    form->GameOver();
    form->Timer3_Timer();
    EXPECT_EQ(form->Label1.caption(), "High Score:  2400  (ABCDEFGHIJ)") << "ten letters kept";
}
