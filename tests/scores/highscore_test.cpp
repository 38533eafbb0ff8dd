// The high-score step of every reset: the name prompt for a new high score,
// the file beside the program, and reading it back after other games.
#include <QDir>

#include "scores/hsfile.h"
#include "tests/support/GameTest.h"

class HighScoreTest : public GameTest {
protected:
    // Ends the attract display's wave with a new high score pending.
    void passTheHighScore(double score) {
        form->dblScore = form->dblHighScore = score;
        form->strHighName = QStringLiteral("!");
        form->blnNewHigh = true;
    }
    // The holder and the high score, as the game keeps them and as the file "HS" does.
    static QString text(const HighScore& high) { return high.name + ' ' + QString::number(high.score); }
    QString held() const { return text({form->strHighName, form->dblHighScore}); }
    QString stored() const { return text(readHighScoreFile(platform.path(QStringLiteral("HS")))); }
};

TEST_F(HighScoreTest, TheStoredHighScoreIsReadAfterAGameWithoutANewOneAndANewOneTheFileCannotTakeStaysInMemory) {
    ASSERT_TRUE(writeHighScoreFile(platform.path(QStringLiteral("HS")), QStringLiteral("ACE"), 950));
    load();
    EXPECT_EQ(held(), "ACE 950");

    form->dblHighScore = 1200;  // passed in an earlier wave of the game
    form->strHighName = QStringLiteral("!");
    form->ResetGame();
    EXPECT_EQ(held(), "ACE 950");
    EXPECT_TRUE(platform.prompts.isEmpty());

    ASSERT_TRUE(QDir(platform.programDirectory()).mkdir(QStringLiteral("HS.tmp")));  // blocks the write, root or not
    passTheHighScore(1500);
    platform.answers.push_back(QStringLiteral("BO"));
    form->ResetGame();
    EXPECT_EQ(QStringList({held(), stored()}), QStringList({"BO 1500", "ACE 950"}));
    EXPECT_TRUE(platform.messages.isEmpty() && form->intGameState == 1) << "no error, and the attract display goes on";
}

TEST_F(HighScoreTest, ANewHighScoreAsksTheNameAndKeepsItInTheFileAndCancelKeepsNoName) {
    load();
    passTheHighScore(950);
    platform.answers.push_back(QStringLiteral("ACE"));
    bool timer1StoppedDuringPrompt = false;
    platform.duringDialog = [&] { timer1StoppedDuringPrompt = !form->Timer1.enabled(); };

    form->ResetGame();

    EXPECT_EQ(platform.prompts, QStringList({"Enter your name ...\r\rMax 10 Characters."}));
    EXPECT_EQ(platform.promptTitles, QStringList({"!!! High score !!!"}));
    EXPECT_TRUE(timer1StoppedDuringPrompt && !form->blnNewHigh);
    EXPECT_EQ(QStringList({held(), stored()}), QStringList({"ACE 950", "ACE 950"}));

    passTheHighScore(3000);
    form->ResetGame();  // Cancel
    EXPECT_EQ(QStringList({held(), stored()}), QStringList({" 3000", " 3000"}));
}
