// The high-score step of every reset: the name prompt for a new high score,
// the file beside the program, and reading it back after other games.
#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "scores/hsfile.h"
#include "scores/hsfilestore.h"
#include "tests/support/GameTest.h"

// Another copy of the game holding the lock on a folder, stuck mid-write.
class HeldLock {
public:
    explicit HeldLock(const QString& folder)
        : fd_(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        EXPECT_EQ(::flock(fd_, LOCK_EX | LOCK_NB), 0);
    }
    ~HeldLock() { ::close(fd_); }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

private:
    int fd_;
};

class HighScoreTest : public GameTest {
protected:
    HighScoreTest() { form->highScores = &store; }

    // Ends the attract display's wave with a new high score pending.
    void passTheHighScore(double score) {
        form->dblScore = form->dblHighScore = score;
        form->strHighName = QStringLiteral("!");
        form->blnNewHigh = true;
    }
    // The holder and the high score, as the game keeps them and as the file "HS" does.
    static QString text(const HighScore& high) { return high.name + ' ' + QString::number(high.score); }
    QString held() const { return text({form->strHighName, form->dblHighScore}); }
    // "HS" once the write in flight, if any, is over.
    QString stored() {
        EXPECT_TRUE(store.waitForWrite(std::chrono::seconds(5)));
        return text(readHighScoreFile(platform.path(QStringLiteral("HS"))));
    }

    HighScoreFileStore store{platform.path(QStringLiteral("HS"))};
};

TEST_F(HighScoreTest, TheStoredHighScoreIsReadAfterAGameWithoutANewOneAndANewOneTheFileCannotTakeStaysInMemory) {
    ASSERT_EQ(writeHighScoreFile(platform.path(QStringLiteral("HS")), QStringLiteral("ACE"), 950),
              HighScoreWrite::Written);
    load();
    EXPECT_EQ(held(), "ACE 950");

    form->dblHighScore = 1200;  // passed in an earlier wave of the game
    form->strHighName = QStringLiteral("!");
    form->ResetGame();
    EXPECT_EQ(held(), "ACE 950");
    EXPECT_TRUE(platform.prompts.isEmpty());

    QFile::remove(platform.path(QStringLiteral("HS")));
    ASSERT_TRUE(QDir(platform.programDirectory()).mkdir(QStringLiteral("HS")));  // can be neither read nor written
    passTheHighScore(1500);
    platform.answers.push_back(QStringLiteral("BO"));
    form->ResetGame();
    EXPECT_EQ(held(), "BO 1500");
    form->ResetGame();  // the next game's end reads no file: the high score in memory stands
    EXPECT_EQ(held(), "BO 1500");
    EXPECT_TRUE(platform.messages.isEmpty() && form->intGameState == 1) << "no error, and the attract display goes on";
}

TEST_F(HighScoreTest, ANewHighScoreTheDiskRefusesStaysOverTheOlderFileAndIsWrittenAtTheNextGameOver) {
    ASSERT_EQ(writeHighScoreFile(platform.path(QStringLiteral("HS")), QStringLiteral("OLD"), 10),
              HighScoreWrite::Written);
    load();
    {
        const HeldLock otherCopy(platform.programDirectory());
        passTheHighScore(950);
        platform.answers.push_back(QStringLiteral("ACE"));
        form->ResetGame();  // returns while the other copy holds the lock
        EXPECT_EQ(QStringList({held(), stored()}), QStringList({"ACE 950", "OLD 10"}))
            << "the lock is given up on after a moment, not waited for without end";
        form->ResetGame();
        EXPECT_EQ(QStringList({held(), stored()}), QStringList({"ACE 950", "OLD 10"}))
            << "the next game over still shows the new record, not the old file";
    }
    EXPECT_EQ(stored(), "OLD 10") << "nothing is tried between game overs";
    form->ResetGame();
    EXPECT_EQ(QStringList({held(), stored()}), QStringList({"ACE 950", "ACE 950"}));

    ASSERT_EQ(writeHighScoreFile(platform.path(QStringLiteral("HS")), QStringLiteral("BO"), 1200),
              HighScoreWrite::Written);  // another copy of the game
    form->ResetGame();
    EXPECT_EQ(held(), "BO 1200") << "a higher score on disk wins";
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(HighScoreTest, AnEmptyFileReadsAsNoHighScoreAndAPipeIsNoFileAtAll) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(platform.path(QStringLiteral("HS"))).constData(), 0644), 0);
    load();  // returns: nothing waits on the pipe
    EXPECT_EQ(held(), " 0");
    EXPECT_TRUE(platform.messages.isEmpty() && !platform.exitStatus);

    form->dblHighScore = 700;
    form->strHighName = QStringLiteral("DI");
    form->ResetGame();
    EXPECT_EQ(held(), "DI 700");
    QFile::remove(platform.path(QStringLiteral("HS")));
    QFile empty(platform.path(QStringLiteral("HS")));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    form->ResetGame();
    EXPECT_EQ(held(), " 0");
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
