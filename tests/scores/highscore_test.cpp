// The high-score step of every reset: the name prompt for a new high score,
// the file beside the program, and reading it back after other games.
#include <QDir>
#include <QFile>

#include <sys/stat.h>

#include "scores/hsfile.h"
#include "tests/support/GameTest.h"

class HighScoreTest : public GameTest {
protected:
    // Ends the attract display's wave with a new high score pending.
    void passTheHighScore(double score) {
        form->dblScore = score;
        form->dblHighScore = score;
        form->strHighName = QStringLiteral("!");
        form->blnNewHigh = true;
    }
    QByteArray fileBytes() {
        QFile file(platform.path(QStringLiteral("HS")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(HighScoreTest, TheStoredHighScoreIsReadAtLoad) {
    ASSERT_TRUE(writeHighScoreFile(platform.path(QStringLiteral("HS")), QStringLiteral("ACE"), 950));
    load();
    EXPECT_EQ(form->dblHighScore, 950);
    EXPECT_EQ(form->strHighName, QStringLiteral("ACE"));
}

TEST_F(HighScoreTest, ANewHighScoreAsksTheNameAndKeepsItInTheFile) {
    load();
    passTheHighScore(950);
    platform.answers.push_back(QStringLiteral("ACE"));
    bool timer1StoppedDuringPrompt = false;
    platform.duringDialog = [&] { timer1StoppedDuringPrompt = !form->Timer1.enabled(); };

    form->ResetGame();

    EXPECT_EQ(platform.prompts, QStringList({"Enter your name ...\r\rMax 10 Characters."}));
    EXPECT_EQ(platform.promptTitles, QStringList({"!!! High score !!!"}));
    EXPECT_TRUE(timer1StoppedDuringPrompt);
    EXPECT_EQ(form->strHighName, QStringLiteral("ACE"));
    EXPECT_FALSE(form->blnNewHigh);
    EXPECT_EQ(fileBytes(), encodeHighScore(QStringLiteral("ACE"), 950));
}

TEST_F(HighScoreTest, LongNamesAreCutAndCancelStoresNoName) {
    load();
    passTheHighScore(2000);
    platform.answers.push_back(QStringLiteral("ABCDEFGHIJKL"));
    form->ResetGame();
    EXPECT_EQ(form->strHighName, QStringLiteral("ABCDEFGHIJ"));
    EXPECT_EQ(fileBytes().at(0), 10);

    passTheHighScore(3000);
    form->ResetGame();
    EXPECT_EQ(form->strHighName, QString());
    EXPECT_EQ(fileBytes().left(2), QByteArray("\0\0", 2));
    EXPECT_EQ(readHighScoreFile(platform.path(QStringLiteral("HS"))).score, 3000);
}

TEST_F(HighScoreTest, WithoutANewHighScoreTheFileIsReadBackAndLeftAlone) {
    ASSERT_TRUE(writeHighScoreFile(platform.path(QStringLiteral("HS")), QStringLiteral("ACE"), 950));
    load();
    form->dblHighScore = 1200;
    form->strHighName = QStringLiteral("!");

    form->ResetGame();

    EXPECT_EQ(form->dblHighScore, 950);
    EXPECT_EQ(form->strHighName, QStringLiteral("ACE"));
    EXPECT_TRUE(platform.prompts.isEmpty());
}

TEST_F(HighScoreTest, AFolderWeMayNotWriteKeepsTheHighScoreInMemory) {
    ASSERT_TRUE(QDir(platform.programDirectory()).mkdir(QStringLiteral("HS")));
    load();
    EXPECT_EQ(form->dblHighScore, 0);
    passTheHighScore(500);
    platform.answers.push_back(QStringLiteral("ACE"));

    form->ResetGame();

    EXPECT_EQ(form->dblHighScore, 500);
    EXPECT_EQ(form->strHighName, QStringLiteral("ACE"));
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(form->intGameState, 1);
}

TEST_F(HighScoreTest, AReadOnlyFolderKeepsTheOldFileAndTheNewScoreInMemory) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write anywhere";
    ASSERT_TRUE(writeHighScoreFile(platform.path(QStringLiteral("HS")), QStringLiteral("OLD"), 100));
    load();
    ::chmod(platform.programDirectory().toLocal8Bit().constData(), 0555);
    passTheHighScore(700);

    form->ResetGame();

    ::chmod(platform.programDirectory().toLocal8Bit().constData(), 0755);
    EXPECT_EQ(form->dblHighScore, 700);
    EXPECT_EQ(readHighScoreFile(platform.path(QStringLiteral("HS"))).name, QStringLiteral("OLD"));
}
