// Records a 10-minute session with no window, as the desktop program
// records one, and writes the replay of its last game (which holds the
// whole session) to the file named: half a minute of attract display, then
// games played one after another by a player who swings the ship and keeps
// firing, until the window closes at 10 minutes in the middle of a game.
// Prints the replay's size per minute, over the whole session and over
// play alone, the time the window's thread gives a game at its end, and
// how long verifying takes in-process.
// Usage: replay_session FILE
#include <QGuiApplication>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>

#include "replay/format.h"
#include "replay/verify.h"
#include "tests/support/ScriptedSession.h"

namespace {

constexpr std::uint32_t Minute = 60000, Session = 10 * Minute;

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: replay_session FILE\n");
        return 2;
    }
    ScriptedSession session(20261207);
    std::uint32_t played = 0;
    Swinger player{session};
    session.load();
    session.run(Minute / 2);
    while (session.now < Session) {
        session.deliver(GameEvent::menuCommand(0, 0));
        const std::uint32_t start = session.now;
        session.playUntilOver(Session - session.now, std::ref(player));
        played += session.now - start;
        session.run(2000);
    }
    // What the window's thread does when a game ends: copy the session's
    // log and take the play area's fingerprint; the file is written by a
    // worker.
    QElapsedTimer handOver;
    handOver.start();
    session.close();
    const qint64 handOverMicroseconds = handOver.nsecsElapsed() / 1000;

    const std::vector<Replay> games = session.games();
    const Replay& replay = games.back();
    const QByteArray bytes = encodeReplay(replay);
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        std::fprintf(stderr, "replay_session: cannot write %s\n", argv[1]);
        return 1;
    }
    const double minutes = session.now / double(Minute);
    std::printf("session: %.1f min (%.1f min in %zu games), %zu events and answers\n", minutes, played / double(Minute),
                games.size(), static_cast<std::size_t>(replay.records.count()));
    std::printf("replay size: %lld bytes, %.1f KB per minute of session\n", static_cast<long long>(bytes.size()),
                bytes.size() / 1024.0 / minutes);
    std::printf("a game handed over at its end, on the window's thread: %.1f ms\n", handOverMicroseconds / 1000.0);
    // Play alone: the longest game's replay less the same replay cut where
    // that game began.
    const auto length = [](const Replay& game) {
        const std::vector<ReplayRecord> records = everyRecord(game.records);
        std::uint32_t last = 0;
        for (const ReplayRecord& record : records)
            if (record.kind == ReplayRecord::Kind::Event) last = record.milliseconds;
        return last - records[game.end.startRecord].milliseconds;
    };
    const Replay* longest = &games.front();
    for (const Replay& game : games)
        if (length(game) > length(*longest)) longest = &game;
    const Replay& first = *longest;
    Replay before = first;
    before.records = RecordStream();
    const std::vector<ReplayRecord> records = everyRecord(first.records);
    for (std::uint32_t i = 0; i <= first.end.startRecord; ++i) before.records.add(records[i]);
    const double playMinutes = length(first) / double(Minute);
    std::printf("in play: %.1f KB per minute (the longest game, %.1f min)\n",
                (encodeReplay(first).size() - encodeReplay(before).size()) / 1024.0 / playMinutes, playMinutes);

    QElapsedTimer clock;
    clock.start();
    const Verdict verdict = verifyReplay(replay, session.platform.programDirectory());
    std::printf("verify in-process: %lld ms: %s\n", static_cast<long long>(clock.elapsed()), qPrintable(verdict.line));
    return verdict.status;
}
