// Writing replays to the player's folder and keeping it tidy.
#include "desktop/replays/ReplayShelf.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <tuple>
#include <vector>

#include "disk/datafolder.h"
#include "disk/wholefile.h"
#include "replay/format.h"

namespace {

// A replay is named by the moment it was saved, in UTC, and its score:
// 20261025-013000-250Z-9000.vorlane-replay. Older versions named it in
// local time, without the Z.
const QRegularExpression ReplayName(QStringLiteral("^(\\d{8})-(\\d{6}-\\d{3})(Z?)-(\\d+)\\.vorlane-replay$"));

// When a replay's game was played, in ms since 1970. Local time repeats an
// hour when the clocks go back, so a replay named the older way is timed
// by the Start it holds, and only one that cannot be read by its name.
qint64 playedAt(const QString& path, const QRegularExpressionMatch& name) {
    const QDate date = QDate::fromString(name.captured(1), QStringLiteral("yyyyMMdd"));
    const QTime time = QTime::fromString(name.captured(2), QStringLiteral("HHmmss-zzz"));
    if (!name.captured(3).isEmpty()) return QDateTime(date, time, Qt::UTC).toMSecsSinceEpoch();
    if (const ReplayReading old = readReplayFile(path); old.replay) return old.replay->header.recordedAt;
    return QDateTime(date, time).toMSecsSinceEpoch();
}

struct Shelved {
    QString name;
    qint64 playedAt;
    qint64 score;
};

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
        path = QStringLiteral("%1/%2Z-%3.vorlane-replay")
                   .arg(folder_, QDateTime::fromMSecsSinceEpoch(lastSaved_, Qt::UTC)
                                     .toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")))
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

// The newest first; the best is the highest score, the latest of equals.
// An empty file is no replay: an older version left those on a full disk.
void ReplayShelf::prune() const {
    QDir dir(folder_);
    std::vector<Shelved> replays;
    for (const QString& name : dir.entryList({QStringLiteral("*.vorlane-replay")}, QDir::Files)) {
        const QRegularExpressionMatch match = ReplayName.match(name);
        if (!match.hasMatch()) continue;
        if (QFileInfo(dir.filePath(name)).size() == 0)
            dir.remove(name);
        else
            replays.push_back({name, playedAt(dir.filePath(name), match), match.captured(4).toLongLong()});
    }
    std::sort(replays.begin(), replays.end(),
              [](const Shelved& a, const Shelved& b) { return std::tie(a.playedAt, a.name) > std::tie(b.playedAt, b.name); });
    const Shelved* best = nullptr;
    for (const Shelved& replay : replays)
        if (!best || replay.score > best->score) best = &replay;
    for (std::size_t i = Kept; i < replays.size(); ++i)
        if (&replays[i] != best) dir.remove(replays[i].name);
}
