// Files made to look like replays, as a stranger could send them, given
// to `vorlane --verify`: a body that claims 10^9 records, a 50 MB file of
// one-byte records, a named pipe, a folder and /dev/zero are each refused
// with status 2 and one line, at once and in little memory. The largest
// file the reader takes, filled with one-byte records, is read in little
// memory too (it is no game, so it does not verify). Each run's time and
// peak memory are printed.
// Usage: replay_crafted path/to/vorlane
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

#include "replay/bytes.h"
#include "replay/format.h"

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

Run verify(const char* exe, const QString& file, const QString& errPath) {
    Run run;
    const auto start = std::chrono::steady_clock::now();
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child == 0) {
        std::freopen(QFile::encodeName(errPath).constData(), "w", stderr);
        std::freopen("/dev/null", "w", stdout);
        ::unsetenv("DISPLAY");
        ::setenv("XDG_RUNTIME_DIR", QFile::encodeName(QFileInfo(errPath).path()).constData(), 1);
        ::execl(exe, exe, "--verify", QFile::encodeName(file).constData(), static_cast<char*>(nullptr));
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
    if (argc < 2) return 2;
    QTemporaryDir work;
    const QString dir = work.path();
    const QString claims = dir + QStringLiteral("/claims.vorlane-replay");
    const QString fifty = dir + QStringLiteral("/fifty.vorlane-replay");
    const QString largest = dir + QStringLiteral("/largest.vorlane-replay");
    const QString pipe = dir + QStringLiteral("/pipe.vorlane-replay");
    const QString folder = dir + QStringLiteral("/folder.vorlane-replay");
    // The frame and body around the records, with a count as long as theirs.
    const qint64 frame = framed(LargestReplayFile, {}).size();
    if (!write(claims, framed(1000000000, oneByteRecords(64))) ||
        !write(fifty, framed(50000000, oneByteRecords(50000000))) ||
        !write(largest, framed(LargestReplayFile - frame - 1, oneByteRecords(LargestReplayFile - frame))) ||
        ::mkfifo(QFile::encodeName(pipe).constData(), 0600) != 0 || !QDir().mkdir(folder)) {
        std::fprintf(stderr, "replay_crafted: cannot make the files in %s\n", qPrintable(dir));
        return 1;
    }

    const QString refused[] = {claims, fifty, pipe, folder, QStringLiteral("/dev/zero")};
    int failures = 0;
    const auto check = [&](const QString& file, bool mustRefuse) {
        const Run run = verify(argv[1], file, dir + QStringLiteral("/err"));
        const bool oneLine = run.err.count('\n') == 1 && run.err.endsWith('\n');
        const bool ok = (mustRefuse ? run.status == 2 && oneLine : run.status == 1 || run.status == 2) &&
                        run.seconds < 2 && run.peakKb < 100 * 1024;
        std::printf("%s %s: status %d, %.2f s, peak %ld KB: %s", ok ? "ok  " : "FAIL", qPrintable(file), run.status,
                    run.seconds, run.peakKb, run.err.isEmpty() ? "(nothing said)\n" : run.err.constData());
        if (!ok) ++failures;
    };
    for (const QString& file : refused) check(file, true);
    check(largest, false);
    return failures == 0 ? 0 : 1;
}
