// Writing replays to the player's folder and keeping it tidy.
#include "desktop/replays/ReplayShelf.h"

#include <QDateTime>
#include <QDir>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>

#include "disk/datafolder.h"
#include "replay/format.h"

namespace {

const QRegularExpression ReplayName(QStringLiteral("^\\d{8}-\\d{6}-\\d{3}-(\\d+)\\.vorlane-replay$"));

void complain(const QString& what) { std::fprintf(stderr, "vorlane: %s\n", qPrintable(what)); }

}  // namespace

ReplayShelf::ReplayShelf(QString folder) : folder_(std::move(folder)) { worker_.setMaxThreadCount(1); }

ReplayShelf::~ReplayShelf() { flush(); }

QString ReplayShelf::defaultFolder() { return playerDataFolder() + QStringLiteral("/replays"); }

void ReplayShelf::keep(SavedGame game) {
    worker_.start([this, game = std::move(game)] {
        write(game);
        prune();
    });
}

void ReplayShelf::flush() { worker_.waitForDone(); }

void ReplayShelf::write(const SavedGame& game) {
    // Two games never share a name, and names sort in the order of saving.
    lastSaved_ = std::max(QDateTime::currentMSecsSinceEpoch(), lastSaved_ + 1);
    const QString name = QStringLiteral("%1-%2.vorlane-replay")
                             .arg(QDateTime::fromMSecsSinceEpoch(lastSaved_).toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")))
                             .arg(static_cast<qint64>(std::max(0.0, game.end.score)));
    if (!QDir().mkpath(folder_)) {
        complain(QStringLiteral("cannot make the replay folder %1; this game's replay is not kept").arg(folder_));
        return;
    }
    QSaveFile file(folder_ + QLatin1Char('/') + name);
    const QByteArray bytes = encodeReplay(game);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        complain(QStringLiteral("cannot save the replay %1: %2").arg(file.fileName(), file.errorString()));
}

// Names sort by time; the best is the highest score, the latest of equals.
void ReplayShelf::prune() const {
    QDir dir(folder_);
    QStringList names = dir.entryList({QStringLiteral("*.vorlane-replay")}, QDir::Files, QDir::Name | QDir::Reversed);
    names = names.filter(ReplayName);
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
