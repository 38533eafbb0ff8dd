// Writing replays to the player's folder and keeping it tidy.
#include "desktop/replays/ReplayShelf.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>

#include "disk/datafolder.h"
#include "disk/wholefile.h"
#include "replay/format.h"

namespace {

const QRegularExpression ReplayName(QStringLiteral("^\\d{8}-\\d{6}-\\d{3}-(\\d+)\\.vorlane-replay$"));

void complain(const QString& what) { std::fprintf(stderr, "vorlane: %s\n", qPrintable(what)); }

}  // namespace

ReplayShelf::ReplayShelf(QString folder) : folder_(std::move(folder)) { worker_.setMaxThreadCount(1); }

ReplayShelf::~ReplayShelf() { flush(); }

QString ReplayShelf::defaultFolder() { return playerDataFolder() + QStringLiteral("/replays"); }

void ReplayShelf::keep(SavedGame game) {
    worker_.start([this, game = std::move(game)] { write(game); });
}

void ReplayShelf::flush() { worker_.waitForDone(); }

void ReplayShelf::write(const SavedGame& game) {
    if (!QDir().mkpath(folder_)) {
        complain(QStringLiteral("cannot make the replay folder %1; this game's replay is not kept").arg(folder_));
        return;
    }
    // Another copy of the game may be saving or tidying up at the same time.
    const FolderLock lock(folder_);
    QString path;
    do {
        // Two games never share a name, and names sort in the order of saving.
        lastSaved_ = std::max(QDateTime::currentMSecsSinceEpoch(), lastSaved_ + 1);
        path = QStringLiteral("%1/%2-%3.vorlane-replay")
                   .arg(folder_, QDateTime::fromMSecsSinceEpoch(lastSaved_).toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")))
                   .arg(static_cast<qint64>(std::max(0.0, game.end.score)));
    } while (QFileInfo::exists(path));
    // Every byte written, synced and renamed into place, or no file at all:
    // a full disk leaves nothing behind and the replays kept as they were.
    if (replaceWhole(lock, path, encodeReplay(game)))
        prune();
    else
        complain(QStringLiteral("cannot save the replay %1 (%2); the replays kept are as they were")
                     .arg(path, lock.held() ? QStringLiteral("the disk refused it") : QStringLiteral("the folder is busy")));
}

// Names sort by time; the best is the highest score, the latest of equals.
// An empty file is no replay: an older version left those on a full disk.
void ReplayShelf::prune() const {
    QDir dir(folder_);
    QStringList names;
    for (const QString& name :
         dir.entryList({QStringLiteral("*.vorlane-replay")}, QDir::Files, QDir::Name | QDir::Reversed).filter(ReplayName)) {
        if (QFileInfo(dir.filePath(name)).size() == 0)
            dir.remove(name);
        else
            names << name;
    }
    QString best;
    qint64 bestScore = -1;
    for (const QString& name : names) {
        const qint64 score = ReplayName.match(name).captured(1).toLongLong();
        if (score > bestScore) {
            best = name;
            bestScore = score;
        }
    }
    for (int i = Kept; i < names.size(); ++i)
        if (names[i] != best) dir.remove(names[i]);
}
