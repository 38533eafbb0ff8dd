// Records, with no window, the finished games the hall's tests send: a
// player who swings and keeps firing until the game is over.
// "standard.vorlane-replay" is played with the settings a game starts with
// and a new high score, for which the player types ACE;
// "slow-missile.vorlane-replay" with Missile Slow scores nothing and asks
// no name; "no-start.vorlane-replay" is the standard game with a key let
// go before its Start, a file the game never writes. Another seed plays
// other games (the hall's figures send many).
// Usage: record_games FOLDER [SEED]
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

#include "tests/support/ScriptedSession.h"

namespace {

bool write(const QString& path, const Replay& replay) {
    const QByteArray bytes = encodeReplay(replay);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

Replay withoutStartFirst(Replay replay) {
    RecordStream records;
    RecordReader reader(replay.records);
    ReplayRecord record;
    for (bool first = true; reader.next(record); first = false) {
        if (first) records.add(ReplayRecord::at(GameEvent::keyUp(Swinger::Left, 0), record.milliseconds));
        records.add(record);
    }
    replay.records = records;
    return replay;
}

bool record(const QString& folder, bool slowMissile, unsigned seed) {
    ScriptedSession session(seed);
    session.platform.answers.push_back(QStringLiteral("ACE"));
    session.load();
    if (slowMissile) session.deliver(GameEvent::menuCommand(5, 0));
    session.deliver(GameEvent::menuCommand(0, 0));
    session.playUntilOver(60 * 60 * 1000, Swinger{session});
    if (session.kept.empty()) return false;
    const Replay game = session.games().back();
    if (slowMissile) return write(folder + QStringLiteral("/slow-missile.vorlane-replay"), game);
    return write(folder + QStringLiteral("/standard.vorlane-replay"), game) &&
           write(folder + QStringLiteral("/no-start.vorlane-replay"), withoutStartFirst(game));
}

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argc > 1 ? argv[1] : "");
    const unsigned seed = argc == 3 ? std::strtoul(argv[2], nullptr, 10) : 20261208;
    if ((argc == 2 || argc == 3) && record(folder, false, seed) && record(folder, true, seed)) return 0;
    std::fprintf(stderr, "usage: record_games FOLDER [SEED], a folder it can write into\n");
    return 1;
}
