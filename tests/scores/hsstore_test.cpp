// Where the desktop program keeps "HS": beside the program while its folder
// can be written, in the player's data folder when it cannot; and a new
// record kept in memory until the disk takes it. The player is played by
// "nobody" when the tests run as root, for whom no folder is closed.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "scores/hsfile.h"
#include "scores/hsfilestore.h"

namespace {

constexpr uid_t Nobody = 65534;

// Runs a scene as a player without special rights: as "nobody" in a child
// process when the tests run as root. The scene's result: true if it held.
bool asPlayer(const std::function<bool()>& scene) {
    if (::geteuid() != 0) return scene();
    const pid_t child = ::fork();
    if (child == 0) _exit(::setgid(Nobody) == 0 && ::setuid(Nobody) == 0 && scene() ? 0 : 1);
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

QString name(const std::optional<QByteArray>& bytes) { return bytes ? decodeHighScore(*bytes).name : "(nothing)"; }

// A disk that answers only once the test lets it: a network home whose
// server has gone away, until it comes back.
struct HungDisk {
    std::mutex mutex;
    std::condition_variable changed;
    int reads = 0;
    bool back = false;

    // The store's read of the disk, holding its own share of it.
    static HighScoreFileStore::DiskRead of(const std::shared_ptr<HungDisk>& disk) {
        return [disk](const QString&) {
            std::unique_lock lock(disk->mutex);
            ++disk->reads;
            disk->changed.notify_all();
            disk->changed.wait(lock, [&] { return disk->back; });
            return std::optional(encodeHighScore(QStringLiteral("ACE"), 950));
        };
    }
    // How many reads came, once the given number has.
    int readsOnce(int count) {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return reads >= count; });
        return reads;
    }
    void comeBack() {
        const std::lock_guard lock(mutex);
        back = true;
        changed.notify_all();
    }
};

// Long enough for any write here, which gives up on a held lock after 200 ms.
constexpr std::chrono::seconds Moment(5);

}  // namespace

TEST(HighScoreStore, AWritableProgramFolderKeepsHSBesideTheProgramAndOnlyAHigherRecordIsKept) {
    QTemporaryDir program;
    const QString hs = program.filePath(QStringLiteral("HS"));
    HighScoreFileStore store(hs);
    EXPECT_FALSE(store.read()) << "no file: the game keeps what it holds";
    EXPECT_EQ(store.writtenFile(), hs);
    EXPECT_TRUE(store.write(QStringLiteral("CY"), 1200));
    EXPECT_TRUE(store.write(QStringLiteral("DI"), 1300)) << "while CY may be in flight";
    EXPECT_FALSE(store.write(QStringLiteral("EV"), 1250));
    EXPECT_EQ(name(store.read()), "DI") << "at once, on disk yet or not";
    ASSERT_TRUE(store.waitForWrite(Moment));
    EXPECT_EQ(readHighScoreFile(hs).name, "DI");

    // A file that cannot be read is never written over; the record stays in memory.
    ASSERT_TRUE(QFile::remove(hs) && ::mkfifo(QFile::encodeName(hs).constData(), 0644) == 0);
    HighScoreFileStore blocked(hs);
    EXPECT_TRUE(blocked.write(QStringLiteral("ACE"), 950));
    ASSERT_TRUE(blocked.waitForWrite(Moment));
    EXPECT_TRUE(name(blocked.read()) == "ACE" && !QFileInfo(hs).isFile());
}

TEST(HighScoreStore, AnInstalledGameReadsTheProgramFoldersHSUntilThePlayersOwnIsWritten) {
    QTemporaryDir top;
    ASSERT_TRUE(QDir(top.path()).mkdir("program") && QDir(top.path()).mkdir("player"));
    const QString program = top.filePath("program/HS"), data = top.filePath("player/data");
    ASSERT_EQ(writeHighScoreFile(program, QStringLiteral("OLD"), 10), HighScoreWrite::Written);
    ASSERT_EQ(::chmod(QFile::encodeName(top.filePath("program")).constData(), 0555), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(top.path()).constData(), 0755), 0);
    const bool root = ::geteuid() == 0;  // then the player's folder is given to "nobody"
    ASSERT_TRUE(!root || ::chown(QFile::encodeName(top.filePath("player")).constData(), Nobody, Nobody) == 0);
    qputenv("XDG_DATA_HOME", QFile::encodeName(data));

    const bool held = asPlayer([&] {
        HighScoreFileStore store(program);
        return name(store.read()) == "OLD" && store.writtenFile() == data + "/vorlane/HS" &&
               store.write(QStringLiteral("NEW"), 20) && name(store.read()) == "NEW";
    });

    qunsetenv("XDG_DATA_HOME");
    EXPECT_TRUE(held);
    EXPECT_EQ(readHighScoreFile(data + "/vorlane/HS").name, "NEW");
    EXPECT_EQ(readHighScoreFile(program).name, "OLD") << "the program folder is left alone";
    ::chmod(QFile::encodeName(top.filePath("program")).constData(), 0755);
}

TEST(HighScoreStore, ADiskThatDoesNotAnswerHasNoFileToReadAndIsNotAskedAgainWhileStuck) {
    QTemporaryDir program;
    const auto disk = std::make_shared<HungDisk>(), gone = std::make_shared<HungDisk>();
    {
        HighScoreFileStore store(program.filePath(QStringLiteral("HS")), HungDisk::of(disk));
        EXPECT_FALSE(store.read()) << "no answer in time: the high score in memory stands";
        EXPECT_FALSE(store.read());
        EXPECT_EQ(disk->readsOnce(1), 1) << "the stuck read is waited for, not started again";
        disk->comeBack();
        EXPECT_EQ(name(store.read()), "ACE");
        EXPECT_EQ(disk->readsOnce(2), 2);

        HighScoreFileStore leaving(program.filePath(QStringLiteral("HS")), HungDisk::of(gone));
        EXPECT_FALSE(leaving.read());
        gone->readsOnce(1);
    }
    gone->comeBack();  // its store is gone
}
