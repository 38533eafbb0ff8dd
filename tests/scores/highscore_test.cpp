// The high-score step of every reset: the name prompt for a new high score,
// the file beside the program, and reading it back after other games.
#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "scores/hsfile.h"
#include "scores/hsfilestore.h"
#include "tests/support/GameTest.h"

class HighScoreTest : public GameTest {
protected:
    HighScoreTest() { form->highScores = &store; }

    // Ends the attract display's wave with a new high score pending, and the name the player types.
    void passTheHighScore(double score, const char* name) {
        form->dblScore = form->dblHighScore = score;
        form->strHighName = QStringLiteral("!");
        form->blnNewHigh = true;
        if (name) platform.answers.push_back(name);
    }
    void plant(const char* name, double score) {
        ASSERT_EQ(writeHighScoreFile(hs, name, score), HighScoreWrite::Written);
    }
    static QString text(const HighScore& high) { return high.name + ' ' + QString::number(high.score); }
    // The holder and the high score as the game keeps them, and as "HS" does once the write in flight is over.
    QStringList held() {
        EXPECT_TRUE(store.waitForWrite(std::chrono::seconds(5)));
        return {text({form->strHighName, form->dblHighScore}), text(readHighScoreFile(hs))};
    }

    const QString hs = platform.path(QStringLiteral("HS"));
    HighScoreFileStore store{hs};
};

TEST_F(HighScoreTest, TheStoredHighScoreIsReadAfterAGameWithoutANewOneAndANewOneTheFileCannotTakeStaysInMemory) {
    plant("ACE", 950);
    load();
    EXPECT_EQ(held()[0], "ACE 950");
    form->dblHighScore = 1200;  // passed in an earlier wave of the game
    form->strHighName = QStringLiteral("!");
    form->ResetGame();
    EXPECT_TRUE(held()[0] == "ACE 950" && platform.prompts.isEmpty());
    ASSERT_TRUE(QFile::resize(hs, 0));
    form->ResetGame();
    EXPECT_EQ(held()[0], " 0") << "an empty file holds no high score";

    QFile::remove(hs);
    ASSERT_TRUE(QDir(platform.programDirectory()).mkdir(QStringLiteral("HS")));  // can be neither read nor written
    passTheHighScore(1500, "BO");
    form->ResetGame();
    form->ResetGame();  // the next game's end reads no file: the high score in memory stands
    EXPECT_EQ(held()[0], "BO 1500");
    EXPECT_TRUE(platform.messages.isEmpty() && form->intGameState == 1) << "no error, and the attract display goes on";
}

TEST_F(HighScoreTest, ANewHighScoreTheDiskRefusesStaysOverTheOlderFileAndIsWrittenAtTheNextGameOver) {
    plant("OLD", 10);
    load();
    const int otherCopy = ::open(QFile::encodeName(platform.programDirectory()).constData(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(otherCopy, LOCK_EX | LOCK_NB), 0);  // another copy of the game, stuck mid-write
    passTheHighScore(950, "ACE");
    form->ResetGame();  // returns: the lock is given up on after a moment, not waited for without end
    EXPECT_EQ(held(), QStringList({"ACE 950", "OLD 10"}));
    form->ResetGame();
    EXPECT_EQ(held(), QStringList({"ACE 950", "OLD 10"})) << "the next game over still shows the new record";
    ::close(otherCopy);
    EXPECT_EQ(held()[1], "OLD 10") << "nothing is tried between game overs";
    form->ResetGame();
    EXPECT_EQ(held(), QStringList({"ACE 950", "ACE 950"}));

    plant("BO", 1200);  // another copy of the game
    form->ResetGame();
    EXPECT_EQ(held()[0], "BO 1200") << "a higher score on disk wins";
}

TEST_F(HighScoreTest, ANewHighScoreAsksTheNameAndKeepsItInTheFileAndCancelKeepsNoName) {
    load();
    passTheHighScore(950, "ACE");
    bool timer1StoppedDuringPrompt = false;
    platform.duringDialog = [&] { timer1StoppedDuringPrompt = !form->Timer1.enabled(); };
    form->ResetGame();
    EXPECT_EQ(platform.prompts, QStringList({"Enter your name ...\r\rMax 10 Characters."}));
    EXPECT_EQ(platform.promptTitles, QStringList({"!!! High score !!!"}));
    EXPECT_TRUE(timer1StoppedDuringPrompt && !form->blnNewHigh);
    EXPECT_EQ(held(), QStringList({"ACE 950", "ACE 950"}));

    passTheHighScore(3000, nullptr);
    form->ResetGame();  // Cancel
    EXPECT_EQ(held(), QStringList({" 3000", " 3000"}));
}
