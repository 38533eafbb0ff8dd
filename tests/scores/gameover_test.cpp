// The end of a game: the rating, "GAME OVER" over the green boxes, and the
// way back to the attract display, with the name asked for a new high score.
#include <QFile>

#include <cstring>

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

TEST_F(GameOverTest, TheRatingGoesByTheScore) {
    const struct {
        double score;
        const char* rating;
    } games[] = {{0, "BEGINNER"},         {10000, "BEGINNER"},  {10001, "TRY AGAIN"},   {20001, "SPACE-CADET"},
                 {60000, "WELL DONE"},    {80000, "EXPERT"},    {80001, "INVADER-KING"}};
    start();
    for (const auto& game : games) {
        endGame(game.score);
        EXPECT_EQ(form->lblRating.caption(), QString::fromLatin1(game.rating)) << "score " << game.score;
    }
}

TEST_F(GameOverTest, GameOverShowsOverTheBoxesAndTheWindowReturnsToTheAttractDisplay) {
    start();
    form->intWave = 7;
    form->intInvasionLevel = 2;
    platform.queue({0.5f, 0.5f, 0.99f, 0.99f, 0.5f});  // the first box: (320, 240) to (327, 245), green 127
    const int draws = platform.draws;
    bool shownWhileDrawing = false, labelsOnTop = false, firstBoxDrawn = false;
    platform.duringHold = [&] {
        if (shownWhileDrawing || platform.holdMilliseconds != 10) return;  // the first pause of the boxes
        shownWhileDrawing = form->lblGameOver.visible() && form->lblRating.visible();
        labelsOnTop = count(form->lblGameOver.rect(), DarkRed) > 0 && count(form->lblRating.rect(), DarkRed) > 0;
        firstBoxDrawn = count(QRect(320, 240, 8, 6), RGB(0, 127, 0)) == 48;
    };
    platform.holdMilliseconds = 0;

    endGame(30000);

    EXPECT_TRUE(shownWhileDrawing);
    EXPECT_TRUE(labelsOnTop);
    EXPECT_TRUE(firstBoxDrawn);
    EXPECT_EQ(platform.draws - draws, 50000) << "five numbers for each box";
    EXPECT_EQ(form->lblRating.caption(), QStringLiteral("SPACE-CADET"));
    EXPECT_FALSE(form->lblGameOver.visible());
    EXPECT_FALSE(form->lblRating.visible());
    EXPECT_EQ(count(form->lblGameOver.rect(), DarkRed), 0);
    EXPECT_EQ(form->intK, 0);
    EXPECT_EQ(form->intGameState, 1);
    EXPECT_EQ(form->intWave, 1);
    EXPECT_EQ(form->intLives, 0);
    EXPECT_EQ(form->intInvasionLevel, 0);
    EXPECT_EQ(count(QRect(320, 240, 8, 6), RGB(0, 127, 0)), 0) << "the new wave clears the boxes away";
    EXPECT_TRUE(platform.mediaCommands.contains(QStringLiteral("close all")));
}

TEST_F(GameOverTest, OnlyAGameEndingActs) {
    start();
    form->dblScore = 90000;
    form->GameOver();
    EXPECT_EQ(form->intGameState, 0);
    EXPECT_EQ(form->intRating, 0);
}

TEST_F(GameOverTest, AnAttractDisplayGameOverRatesTheLastGameAndAsksNoName) {
    load();
    form->dblScore = 25000;  // the last game's score
    endGame(form->dblScore);
    EXPECT_EQ(form->lblRating.caption(), QStringLiteral("SPACE-CADET"));
    EXPECT_TRUE(platform.prompts.isEmpty());
}

TEST_F(GameOverTest, ANewHighScoreAsksTheNameAndKeepsIt) {
    start();
    form->dblHighScore = 950;  // as the status line leaves it once the score passed the old one
    form->strHighName = QStringLiteral("!");
    form->blnNewHigh = true;
    platform.answers.push_back(QStringLiteral("ACE"));

    endGame(950);

    ASSERT_EQ(platform.prompts.size(), 1);
    EXPECT_EQ(platform.prompts[0], QStringLiteral("Enter your name ...\r\rMax 10 Characters."));
    EXPECT_EQ(platform.promptTitles[0], QStringLiteral("!!! High score !!!"));
    EXPECT_EQ(form->strHighName, QStringLiteral("ACE"));
    QFile file(platform.path(QStringLiteral("HS")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GE(bytes.size(), 28);
    EXPECT_EQ(bytes.left(5), QByteArray("\x03\x00" "ACE", 5));
    double score = 0;
    std::memcpy(&score, bytes.constData() + 20, sizeof score);
    EXPECT_EQ(score, 950);
}
