// Records, with no window, the finished games the hall's tests send: a
// player who swings and keeps firing until the game is over.
// "standard.vorlane-replay" is played with the settings a game starts with
// and a new high score, for which the player types ACE;
// "slow-missile.vorlane-replay" with Missile Slow scores nothing and asks
// no name.
// Usage: record_games FOLDER
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

#include "tests/support/ScriptedSession.h"

namespace {

bool record(const QString& path, bool slowMissile) {
    ScriptedSession session(20261208);
    session.platform.answers.push_back(QStringLiteral("ACE"));
    session.load();
    if (slowMissile) session.deliver(GameEvent::menuCommand(5, 0));
    session.deliver(GameEvent::menuCommand(0, 0));
    session.playUntilOver(60 * 60 * 1000, Swinger{session});
    if (session.kept.empty()) return false;
    const QByteArray bytes = encodeReplay(session.games().back());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: record_games FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (record(folder + QStringLiteral("/standard.vorlane-replay"), false) &&
        record(folder + QStringLiteral("/slow-missile.vorlane-replay"), true))
        return 0;
    std::fprintf(stderr, "record_games: cannot record the games into %s\n", argv[1]);
    return 1;
}
