// The replay folder keeps the last games and the best, whatever the disk
// does.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <string>

#include <sys/mount.h>

#include "desktop/replays/ReplayShelf.h"

namespace {

// A game whose replay takes about the given number of bytes.
SavedGame gameOf(double score, int bytes = 10) {
    SavedGame saved;
    saved.end.score = score;
    for (int tick = 0; tick < bytes / 2; ++tick) saved.records.add(ReplayRecord::at(GameEvent::tick(1), 25u * tick));
    return saved;
}

QStringList replaysIn(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.vorlane-replay")}, QDir::Files, QDir::Name);
}

struct ReplayShelfTest : ::testing::Test {
    QTemporaryDir home;
    const QString folder = home.filePath(QStringLiteral("replays"));
    ReplayShelfTest() { QDir().mkpath(folder); }
    void plant(const QString& name, const QByteArray& bytes = {}) {
        QFile file(folder + QLatin1Char('/') + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

}  // namespace

TEST_F(ReplayShelfTest, KeepsTheLastTwentyGamesAndTheBestAndTakesNoEmptyFileForAReplay) {
    plant(QStringLiteral("20200101-000000-000-99999.vorlane-replay"));
    plant(QStringLiteral("20200101-000000-001-0.vorlane-replay"));
    {
        ReplayShelf shelf(folder);
        for (int game = 0; game < 25; ++game) shelf.keep(gameOf(game == 2 ? 9000 : 100 * game));
    }
    const QStringList kept = replaysIn(folder);
    ASSERT_EQ(kept.size(), ReplayShelf::Kept + 1);
    EXPECT_TRUE(kept.first().endsWith(QStringLiteral("-9000.vorlane-replay"))) << qPrintable(kept.first());
    EXPECT_TRUE(kept[1].endsWith(QStringLiteral("-500.vorlane-replay"))) << qPrintable(kept[1]);
    EXPECT_TRUE(kept.last().endsWith(QStringLiteral("-2400.vorlane-replay")));
    for (const QString& name : kept) EXPECT_GT(QFileInfo(folder + QLatin1Char('/') + name).size(), 0);
}

TEST_F(ReplayShelfTest, AFullDiskLeavesNoFileSaysOneLineAndKeepsTheBest) {
    // A small file system of its own, which only root may mount.
    const QByteArray path = QFile::encodeName(folder);
    if (::mount("tmpfs", path.constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "mounting a small file system needs root";
    const std::unique_ptr<const char, int (*)(const char*)> unmount(path.constData(), ::umount);
    ReplayShelf shelf(folder);
    shelf.keep(gameOf(9000, 20000));
    shelf.flush();
    const QStringList before = replaysIn(folder);
    ASSERT_EQ(before.size(), 1);
    QFile best(folder + QLatin1Char('/') + before.first());
    ASSERT_TRUE(best.open(QIODevice::ReadOnly));
    const QByteArray bestBytes = best.readAll();
    plant(QStringLiteral("filler"), QByteArray(64 * 1024, 'x'));

    testing::internal::CaptureStderr();
    shelf.keep(gameOf(100, 20000));
    shelf.keep(gameOf(20000, 20000));
    shelf.flush();
    const std::string said = testing::internal::GetCapturedStderr();

    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System), before + QStringList{"filler"});
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << said;
    EXPECT_NE(said.find("cannot save the replay"), std::string::npos) << said;
    best.seek(0);
    EXPECT_EQ(best.readAll(), bestBytes);
}

TEST_F(ReplayShelfTest, GamesGoOldestFirstByTheTimeTheyWerePlayedAcrossTheAutumnClockChange) {
    const auto plantPlayed = [&](const QString& name, const char* startUtc) {
        SavedGame game = gameOf(100);
        game.header.recordedAt = QDateTime::fromString(QLatin1String(startUtc), Qt::ISODate).toMSecsSinceEpoch();
        plant(name, encodeReplay(game));
    };
    // Central Europe: 02:40 local before the clocks go back, then 00:50 UTC,
    // then 02:10 local after.
    plantPlayed(QStringLiteral("20261025-024000-000-100.vorlane-replay"), "2026-10-25T00:40:00Z");
    plantPlayed(QStringLiteral("20261025-005000-000Z-300.vorlane-replay"), "2026-10-25T00:50:00Z");
    plantPlayed(QStringLiteral("20261025-021000-000-200.vorlane-replay"), "2026-10-25T01:10:00Z");
    {
        ReplayShelf shelf(folder);
        for (int game = 0; game < ReplayShelf::Kept - 1; ++game) shelf.keep(gameOf(game == 0 ? 9000 : 1));
    }
    const QStringList kept = replaysIn(folder);
    EXPECT_EQ(kept.size(), ReplayShelf::Kept);
    EXPECT_EQ(kept.filter(QStringLiteral("20261025-")), QStringList({"20261025-021000-000-200.vorlane-replay"}))
        << qPrintable(kept.join(QLatin1Char(' ')));
    EXPECT_TRUE(kept.last().endsWith(QStringLiteral("Z-1.vorlane-replay"))) << qPrintable(kept.last());
}
