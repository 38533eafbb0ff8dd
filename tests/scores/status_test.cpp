// The status line: its four captions, the moment a score passes the high
// score, the speed indicator it hides, and a pending high score that lasts
// from the wave it was made in to the game's end.
#include "scores/hsfile.h"
#include "tests/support/GameTest.h"

static QStringList statusLine(const frmVorlane& form) {
    return {form.Label1.caption(), form.Label2.caption(), form.Label3.caption(), form.lblwave.caption()};
}

TEST_F(GameTest, TheStatusTickWritesTheNumbersWithASignPlaceAndHidesTheSpeed) {
    load();
    const QRect indicator = form->lblspeed.rect();
    form->lblspeed.show();
    ASSERT_GT(count(indicator, RGB(0, 128, 0)), 0);

    form->Timer3_Timer();

    // Without a high-score file: zero and no name.
    EXPECT_EQ(statusLine(*form), QStringList({"High Score:  0  ()", "Lives:  0", "Score:  0", "Wave:  1"}));
    EXPECT_EQ(count(indicator, RGB(0, 128, 0)), 0);

    // Only the decimals a number has; a minus sign takes the sign's place.
    form->dblScore = 12.5;
    form->dblHighScore = 1234567;
    form->strHighName = "BIG";
    form->intLives = -1;
    form->intWave = 32767;
    form->Timer3_Timer();
    EXPECT_EQ(statusLine(*form),
              QStringList({"High Score:  1234567  (BIG)", "Lives: -1", "Score:  12.5", "Wave:  32767"}));
}

TEST_F(GameTest, OnlyAScoreAboveTheHighScoreTakesItOverUntilTheGameEndAsksTheName) {
    start();
    form->dblHighScore = form->dblScore = 950;
    form->strHighName = "ACE";
    form->Timer3_Timer();
    EXPECT_EQ(statusLine(*form), QStringList({"High Score:  950  (ACE)", "Lives:  3", "Score:  950", "Wave:  1"}));

    form->dblScore = 2400;
    form->Timer3_Timer();
    EXPECT_EQ(form->Label1.caption(), "High Score:  2400  (!)");

    // The next wave brings no points before the game ends; the name is still asked.
    form->intWave = 2;
    form->SetUpWave();
    form->Timer3_Timer();
    platform.answers.push_back("ABCDEFGHIJKL");
    form->intGameState = 2;
    form->GameOver();
    ASSERT_EQ(platform.prompts.size(), 1);
    const HighScore stored = readHighScoreFile(platform.path("HS"));
    EXPECT_TRUE(stored.name == "ABCDEFGHIJ" && stored.score == 2400) << "ten letters kept";
    form->Timer3_Timer();
    EXPECT_EQ(form->Label1.caption(), "High Score:  2400  (ABCDEFGHIJ)");
}
