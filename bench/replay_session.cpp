// Records one game with no window, as the desktop program records one,
// and writes its replay to the file named: the attract display for a
// while, then Easy, Slow, Bombs 1 and Start, and a game played by a player who stands
// under the lowest invader and fires every second and a half, and steps
// aside from a bomb about to land, until it is lost or the window closes
// in its middle. Firing at that pace the player keeps the formation up for
// ten minutes and more; firing faster, the waves come quicker than it can
// hold them. Prints the game's length, the replay's size per minute of game,
// the time the window's thread gives the game at its end and how long
// verifying takes in-process.
// Usage: replay_session FILE [minutes of attract display] [minutes of game]
//        (defaults: 0.5 and 10)
#include <QGuiApplication>
#include <QElapsedTimer>
#include <QFile>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "replay/format.h"
#include "replay/verify.h"
#include "tests/support/ScriptedSession.h"

namespace {

constexpr std::uint32_t Minute = 60000;

// Looks at the game as a player looks at the screen, every tick.
struct Aimer {
    static constexpr int Left = 37, Right = 39, Ctrl = 17, ControlMask = 2;
    static constexpr double ShipMiddle = 14, InvaderMiddle = 8;
    ScriptedSession& session;
    int held = 0;
    std::uint32_t nextShot = 0;

    void steer(int key) {
        if (key == held) return;
        if (held) session.deliver(GameEvent::keyUp(held, 0));
        if (key) session.deliver(GameEvent::keyDown(key, 0));
        held = key;
    }
    void operator()(std::uint32_t now) {
        const frmVorlane& f = session.form();
        const double ship = f.intShipX + ShipMiddle;
        for (int i = 1; i <= f.intBombCount; ++i)
            if (f.arrBombX[i] != 0 && f.arrBombY[i] > 240 && std::abs(f.arrBombX[i] - ship) < 40) {
                steer(f.arrBombX[i] > ship ? Left : Right);
                return;
            }
        double target = -1, lowest = -1;
        for (std::size_t k = 0; k < f.arrInvX.size(); ++k)
            if (!f.arrInvDead[k] && f.arrInvX[k] != 0 && f.arrInvY[k] > lowest) {
                lowest = f.arrInvY[k];
                target = f.arrInvX[k] + InvaderMiddle;
            }
        if (target < 0 || std::abs(target - ship) <= 3) {
            steer(0);
            if (now >= nextShot) {
                session.deliver(GameEvent::keyDown(Ctrl, ControlMask));
                session.deliver(GameEvent::keyUp(Ctrl, ControlMask));
                nextShot = now + 1500;
            }
            return;
        }
        steer(target > ship ? Right : Left);
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: replay_session FILE [minutes of attract display] [minutes of game]\n");
        return 2;
    }
    const auto attract = static_cast<std::uint32_t>((argc > 2 ? std::atof(argv[2]) : 0.5) * Minute);
    const auto longest = static_cast<std::uint32_t>((argc > 3 ? std::atof(argv[3]) : 10) * Minute);
    ScriptedSession session(20261207);
    Aimer player{session};
    session.load();
    session.run(attract);
    // Easy, Slow and one bomb at a time: a long game.
    session.deliver(GameEvent::menuCommand(1, 0));
    session.deliver(GameEvent::menuCommand(2, 0));
    session.deliver(GameEvent::menuCommand(3, 0));
    QElapsedTimer starting;
    starting.start();
    session.deliver(GameEvent::menuCommand(0, 0));
    const qint64 startMicroseconds = starting.nsecsElapsed() / 1000;
    const std::uint32_t start = session.now;
    session.playUntilOver(longest, std::ref(player));
    const std::uint32_t played = session.now - start;
    // What the window's thread does when a game ends: copy the game's log
    // and take the play area's fingerprint; the file is written by a
    // worker.
    QElapsedTimer handOver;
    handOver.start();
    session.close();
    const qint64 handOverMicroseconds = handOver.nsecsElapsed() / 1000;

    const Replay replay = session.games().back();
    const QByteArray bytes = encodeReplay(replay);
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        std::fprintf(stderr, "replay_session: cannot write %s\n", argv[1]);
        return 1;
    }
    const double minutes = played / double(Minute);
    std::printf("a game of %.1f min after %.1f min of attract display, %zu events and answers\n", minutes,
                attract / double(Minute), static_cast<std::size_t>(replay.records.count()));
    std::printf("replay size: %lld bytes (%lld of them the game's state at Start), %.1f KB per minute of game\n",
                static_cast<long long>(bytes.size()), static_cast<long long>(replay.start.state.size()),
                bytes.size() / 1024.0 / minutes);
    std::printf("on the window's thread: Start with the game's state kept %.1f ms, the game handed over at its end %.1f ms\n",
                startMicroseconds / 1000.0, handOverMicroseconds / 1000.0);

    QElapsedTimer clock;
    clock.start();
    const Verdict verdict = verifyReplay(replay, session.platform.programDirectory());
    std::printf("verify in-process: %lld ms: %s\n", static_cast<long long>(clock.elapsed()), qPrintable(verdict.line));
    return verdict.status;
}
