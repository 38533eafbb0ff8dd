// The replay folder keeps the last games and the best.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "desktop/replays/ReplayShelf.h"

TEST(ReplayShelf, KeepsTheLastTwentyGamesAndTheBest) {
    QTemporaryDir home;
    const QString folder = home.filePath(QStringLiteral("vorlane/replays"));
    {
        ReplayShelf shelf(folder);
        for (int game = 0; game < 25; ++game) {
            SavedGame saved;
            saved.end.score = game == 2 ? 9000 : 100 * game;
            shelf.keep(saved);
        }
    }
    const QStringList kept = QDir(folder).entryList({QStringLiteral("*.vorlane-replay")}, QDir::Files, QDir::Name);
    ASSERT_EQ(kept.size(), ReplayShelf::Kept + 1);
    EXPECT_TRUE(kept.first().endsWith(QStringLiteral("-9000.vorlane-replay"))) << qPrintable(kept.first());
    EXPECT_TRUE(kept[1].endsWith(QStringLiteral("-500.vorlane-replay"))) << qPrintable(kept[1]);
    EXPECT_TRUE(kept.last().endsWith(QStringLiteral("-2400.vorlane-replay")));
}
