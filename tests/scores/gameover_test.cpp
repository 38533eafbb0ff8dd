// The end of a game: the rating, "GAME OVER" over the green boxes, and the
// way back to the attract display. The name asked for a new high score is
// looked at with the high-score step and the status line.
#include "tests/support/GameTest.h"

class GameOverTest : public GameTest {
protected:
    // Ends a game with this score, as a bomb on the last life does.
    void endGame(double score) {
        form->dblScore = score;
        form->intGameState = 2;
        form->GameOver();
    }
    static constexpr Long DarkRed = RGB(192, 0, 0);
};

TEST_F(GameOverTest, OnlyAGameEndingActsAndTheRatingGoesByTheScore) {
    start();
    form->dblScore = 90000;
    form->GameOver();
    EXPECT_TRUE(form->intGameState == 0 && form->intRating == 0 && !form->lblRating.visible()) << "a game in play";

    // After the first, each game over comes from the attract display: rated, no name asked.
    const struct { double score; const char* rating; } games[] = {{0, "BEGINNER"}, {10000, "BEGINNER"},
        {10001, "TRY AGAIN"}, {20001, "SPACE-CADET"}, {60000, "WELL DONE"}, {80000, "EXPERT"}, {80001, "INVADER-KING"}};
    for (const auto& game : games) {
        endGame(game.score);
        EXPECT_EQ(form->lblRating.caption(), QString::fromLatin1(game.rating)) << "score " << game.score;
    }
    EXPECT_TRUE(platform.prompts.isEmpty());
}

TEST_F(GameOverTest, GameOverShowsOverTheBoxesAndTheWindowReturnsToTheAttractDisplay) {
    start();
    form->intWave = 7;
    form->intInvasionLevel = 2;
    platform.queue({0.5f, 0.5f, 0.99f, 0.99f, 0.5f});  // the first box: (320, 240) to (327, 245), green 127
    bool labelsOnTop = false, firstBoxDrawn = false;
    platform.duringHold = [&] {
        if (form->intI != 100) return;  // the first pause of the boxes, after a hundred
        labelsOnTop = count(form->lblGameOver.rect(), DarkRed) > 0 && count(form->lblRating.rect(), DarkRed) > 0;
        firstBoxDrawn = count(QRect(320, 240, 8, 6), RGB(0, 127, 0)) == 48;
    };

    endGame(30000);

    EXPECT_TRUE(labelsOnTop && firstBoxDrawn);
    EXPECT_EQ(count(form->lblGameOver.rect(), DarkRed) + count(form->lblRating.rect(), DarkRed), 0);
    EXPECT_TRUE(form->intGameState == 1 && form->intWave == 1 && form->intLives == 0 && form->intInvasionLevel == 0);
    EXPECT_EQ(count(QRect(320, 240, 8, 6), RGB(0, 127, 0)), 0) << "the new wave clears the boxes away";
}
