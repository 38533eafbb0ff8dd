// Files made to look like replays, as a stranger could send them, given
// to `vorlane --verify`: a body that claims 10^9 records, a 50 MB file of
// one-byte records, a named pipe, a folder, /dev/zero, a kept game whose
// state at Start holds 40 bombs or packed bytes that are no state, and one
// that claims 2^60 random numbers before its Start are each refused with
// status 2 and one line, in little memory and without hanging; the game
// with 40 bombs opened to be watched is refused the same way. The largest
// file the reader takes, filled with one-byte records, is read in little
// memory too (it is no game, so it does not verify). Each run's time and
// peak memory are printed.
// Usage: replay_crafted path/to/vorlane folder/of/kept/replays
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QGuiApplication>

#include "replay/bytes.h"
#include "replay/format.h"
#include "replay/gamestate.h"
#include "replay/playback.h"

namespace {

constexpr std::uint8_t NoHighScore = 0x30, FirstTimersTick = 0x11;

// A replay's frame with a correct checksum around a body with a game's
// state that claims count records, then the records.
QByteArray framed(std::uint64_t count, const QByteArray& records) {
    ByteWriter body;
    body.blob("1.0");
    body.blob(QByteArray(32, 'p'));
    body.signedVarint(0);
    body.varint(1);
    body.varint(0);
    body.blob("state");
    body.fixed(0, 8);
    body.signedVarint(1);
    body.blob(QByteArray(32, 's'));
    body.varint(count);
    body.raw(records);
    ByteWriter out;
    out.raw(QByteArray("VRLNRPL\x1a", 8));
    out.fixed(ReplayFormatVersion, 2);
    out.fixed(static_cast<std::uint64_t>(body.bytes().size()), 4);
    out.raw(body.bytes());
    out.fixed(crc32(body.bytes()), 4);
    return out.bytes();
}

// One tick, then answers nobody asked for up to size bytes in all.
QByteArray oneByteRecords(qint64 size) {
    QByteArray records(static_cast<qsizetype>(size), static_cast<char>(NoHighScore));
    records[0] = static_cast<char>(FirstTimersTick);
    records[1] = 0;
    return records;
}

struct Run {
    int status = -1;
    QByteArray err;
    double seconds = 0;
    long peakKb = 0;
};

// A game kept by the tests, changed as the stranger likes.
QByteArray craftedGame(const QString& kept, const QString& pictures, void (*change)(Replay&, frmVorlane&)) {
    Replay replay = *readReplayFile(kept).replay;
    Playback playback(replay, pictures);
    playback.load();
    change(replay, playback.form());
    return encodeReplay(replay);
}

Run run(const char* exe, const char* mode, const QString& file, const QString& errPath) {
    Run run;
    const auto start = std::chrono::steady_clock::now();
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child == 0) {
        std::freopen(QFile::encodeName(errPath).constData(), "w", stderr);
        std::freopen("/dev/null", "w", stdout);
        ::unsetenv("DISPLAY");
        ::setenv("XDG_RUNTIME_DIR", QFile::encodeName(QFileInfo(errPath).path()).constData(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        ::execl(exe, exe, mode, QFile::encodeName(file).constData(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.peakKb = usage.ru_maxrss;
    QFile err(errPath);
    if (err.open(QIODevice::ReadOnly)) run.err = err.readAll();
    return run;
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int programOnly = 1;
    QGuiApplication app(programOnly, argv);
    const QString pictures = QFileInfo(QString::fromLocal8Bit(argv[1])).path();
    const QString kept = QString::fromLocal8Bit(argv[2]) + QStringLiteral("/version-3.vorlane-replay");
    QTemporaryDir work;
    const QString dir = work.path();
    const QString claims = dir + QStringLiteral("/claims.vorlane-replay");
    const QString fifty = dir + QStringLiteral("/fifty.vorlane-replay");
    const QString largest = dir + QStringLiteral("/largest.vorlane-replay");
    const QString pipe = dir + QStringLiteral("/pipe.vorlane-replay");
    const QString folder = dir + QStringLiteral("/folder.vorlane-replay");
    const QString bombs = dir + QStringLiteral("/bombs.vorlane-replay");
    const QString garbled = dir + QStringLiteral("/garbled.vorlane-replay");
    const QString draws = dir + QStringLiteral("/draws.vorlane-replay");
    // The frame and body around the records, with a count as long as theirs.
    const qint64 frame = framed(LargestReplayFile, {}).size();
    if (!write(claims, framed(1000000000, oneByteRecords(64))) ||
        !write(fifty, framed(50000000, oneByteRecords(50000000))) ||
        !write(largest, framed(LargestReplayFile - frame - 1, oneByteRecords(LargestReplayFile - frame))) ||
        !write(bombs, craftedGame(kept, pictures,
                                  [](Replay& r, frmVorlane& f) {
                                      f.intBombCount = 40;
                                      r.start.state = packGameState(saveGameState(f));
                                  })) ||
        !write(garbled, craftedGame(kept, pictures, [](Replay& r, frmVorlane&) { r.start.state[20] = 'x'; })) ||
        !write(draws, craftedGame(kept, pictures, [](Replay& r, frmVorlane&) { r.start.draws = 1ull << 60; })) ||
        ::mkfifo(QFile::encodeName(pipe).constData(), 0600) != 0 || !QDir().mkdir(folder)) {
        std::fprintf(stderr, "replay_crafted: cannot make the files in %s\n", qPrintable(dir));
        return 1;
    }

    const QString refused[] = {claims, fifty, pipe, folder, QStringLiteral("/dev/zero"), bombs, garbled, draws};
    int failures = 0;
    // Each takes a fraction of a second here: the bound only tells a hang.
    const auto check = [&](const char* mode, const QString& file, bool mustRefuse) {
        const Run done = run(argv[1], mode, file, dir + QStringLiteral("/err"));
        const bool oneLine = done.err.count('\n') == 1 && done.err.endsWith('\n');
        const bool ok = (mustRefuse ? done.status == 2 && oneLine : done.status == 1 || done.status == 2) &&
                        done.seconds < 20 && done.peakKb < 100 * 1024;
        std::printf("%s %s %s: status %d, %.2f s, peak %ld KB: %s", ok ? "ok  " : "FAIL", mode, qPrintable(file),
                    done.status, done.seconds, done.peakKb,
                    done.err.isEmpty() ? "(nothing said)\n" : done.err.constData());
        if (!ok) ++failures;
    };
    for (const QString& file : refused) check("--verify", file, true);
    check("--verify", largest, false);
    check("--replay", bombs, true);
    return failures == 0 ? 0 : 1;
}
