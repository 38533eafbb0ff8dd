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

bool write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

Replay withoutStartFirst(Replay replay) {
    RecordStream records;
    RecordReader reader(replay.records);
    ReplayRecord record;
    bool first = true;
    while (reader.next(record)) {
        if (first) records.add(ReplayRecord::at(GameEvent::keyUp(Swinger::Left, 0), record.milliseconds));
        first = false;
        records.add(record);
    }
    replay.records = records;
    return replay;
}

bool record(const QString& folder, const QString& name, bool slowMissile, unsigned seed) {
    ScriptedSession session(seed);
    session.platform.answers.push_back(QStringLiteral("ACE"));
    session.load();
    if (slowMissile) session.deliver(GameEvent::menuCommand(5, 0));
    session.deliver(GameEvent::menuCommand(0, 0));
    session.playUntilOver(60 * 60 * 1000, Swinger{session});
    if (session.kept.empty()) return false;
    const Replay game = session.games().back();
    if (slowMissile) return write(folder + name, encodeReplay(game));
    return write(folder + name, encodeReplay(game)) &&
           write(folder + QStringLiteral("/no-start.vorlane-replay"), encodeReplay(withoutStartFirst(game)));
}

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: record_games FOLDER [SEED]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const unsigned seed = argc == 3 ? std::strtoul(argv[2], nullptr, 10) : 20261208;
    if (record(folder, QStringLiteral("/standard.vorlane-replay"), false, seed) &&
        record(folder, QStringLiteral("/slow-missile.vorlane-replay"), true, seed))
        return 0;
    std::fprintf(stderr, "record_games: cannot record the games into %s\n", argv[1]);
    return 1;
}
