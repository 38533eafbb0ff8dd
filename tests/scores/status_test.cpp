// The status line: its four captions, the moment a score passes the high
// score, the speed indicator it hides, and a pending high score that lasts
// from the wave it was made in to the game's end.
#include "scores/hsfile.h"
#include "tests/support/GameTest.h"

namespace {

constexpr Long SpeedGreen = RGB(0, 128, 0);

}  // namespace

TEST_F(GameTest, WithoutAHighScoreFileTheStatusLineShowsZeroAndNoName) {
    load();

    form->Timer3_Timer();

    EXPECT_EQ(form->Label1.caption(), "High Score:  0  ()");
    EXPECT_EQ(form->Label2.caption(), "Lives:  0");
    EXPECT_EQ(form->Label3.caption(), "Score:  0");
    EXPECT_EQ(form->lblwave.caption(), "Wave:  1");
}

TEST_F(GameTest, OnlyAScoreAboveTheHighScoreTakesItOver) {
    start();
    form->dblHighScore = 950;
    form->strHighName = "ACE";
    form->dblScore = 950;
    form->intWave = 2;

    form->Timer3_Timer();

    EXPECT_EQ(form->Label1.caption(), "High Score:  950  (ACE)");
    EXPECT_EQ(form->Label2.caption(), "Lives:  3");
    EXPECT_EQ(form->Label3.caption(), "Score:  950");
    EXPECT_EQ(form->lblwave.caption(), "Wave:  2");
    EXPECT_FALSE(form->blnNewHigh);

    form->dblScore = 1030;
    form->Timer3_Timer();

    EXPECT_EQ(form->dblHighScore, 1030);
    EXPECT_TRUE(form->blnNewHigh);
    EXPECT_EQ(form->Label1.caption(), "High Score:  1030  (!)");
    EXPECT_EQ(form->Label3.caption(), "Score:  1030");
}

TEST_F(GameTest, NumbersShowASignPlaceAndOnlyTheDecimalsTheyHave) {
    load();
    form->dblScore = 12.5;
    form->dblHighScore = 1234567;
    form->strHighName = "BIG";
    form->intLives = -1;
    form->intWave = 32767;

    form->Timer3_Timer();

    EXPECT_EQ(form->Label1.caption(), "High Score:  1234567  (BIG)");
    EXPECT_EQ(form->Label2.caption(), "Lives: -1");
    EXPECT_EQ(form->Label3.caption(), "Score:  12.5");
    EXPECT_EQ(form->lblwave.caption(), "Wave:  32767");
}

TEST_F(GameTest, TheSpeedIndicatorGoesAtTheNextTick) {
    load();
    const QRect indicator = form->lblspeed.rect();
    form->lblspeed.show();
    ASSERT_GT(count(indicator, SpeedGreen), 0);

    form->Timer3_Timer();

    EXPECT_FALSE(form->lblspeed.visible());
    EXPECT_EQ(count(indicator, SpeedGreen), 0);
}

TEST_F(GameTest, AHighScoreFromAnEarlierWaveIsStillAskedForAtTheGameEnd) {
    start();
    form->dblScore = 2400;
    form->Timer3_Timer();
    ASSERT_TRUE(form->blnNewHigh);

    // The next wave brings no points before the game ends.
    form->intWave = 2;
    form->SetUpWave();
    form->Timer3_Timer();
    platform.answers.push_back("ABCDEFGHIJKL");
    form->intGameState = 2;
    form->GameOver();

    ASSERT_EQ(platform.prompts.size(), 1);
    EXPECT_EQ(form->strHighName, "ABCDEFGHIJ");
    const HighScore stored = readHighScoreFile(platform.path("HS"));
    EXPECT_EQ(stored.name, "ABCDEFGHIJ");
    EXPECT_EQ(stored.score, 2400);
    form->Timer3_Timer();
    EXPECT_EQ(form->Label1.caption(), "High Score:  2400  (ABCDEFGHIJ)");
}
