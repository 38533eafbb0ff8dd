// Files made to look like replays, as a stranger could send them, given
// to `vorlane --verify`: a body that claims 10^9 records, a 50 MB file of
// one-byte records, a named pipe, a folder and /dev/zero are each refused
// with status 2 and one line, in little memory and without hanging; the
// file that claims 10^9 records opened to be watched is refused the same
// way. The largest file the reader takes, filled with one-byte records, is
// read in little memory too (it is no game, so it does not verify). Each
// run's time and peak memory are printed.
// Usage: replay_crafted path/to/vorlane
#include <QByteArray>
#include <QDir>
#include <QFile>
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
// state that claims count records, then one tick and answers nobody asked
// for, up to size bytes of records in all.
QByteArray framed(std::uint64_t count, qint64 size) {
    QByteArray records(static_cast<qsizetype>(size), static_cast<char>(NoHighScore));
    if (size > 0) records[0] = static_cast<char>(FirstTimersTick), records[1] = 0;
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

bool write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) return 2;
    QTemporaryDir work;
    const QString dir = work.path(), err = dir + QStringLiteral("/err");
    const QString claims = dir + QStringLiteral("/claims.vorlane-replay");
    const QString fifty = dir + QStringLiteral("/fifty.vorlane-replay");
    const QString largest = dir + QStringLiteral("/largest.vorlane-replay");
    const QString pipe = dir + QStringLiteral("/pipe.vorlane-replay");
    const QString folder = dir + QStringLiteral("/folder.vorlane-replay");
    // The frame and body around the records, with a count as long as theirs.
    const qint64 frame = framed(LargestReplayFile, 0).size();
    if (!write(claims, framed(1000000000, 64)) || !write(fifty, framed(50000000, 50000000)) ||
        !write(largest, framed(LargestReplayFile - frame - 1, LargestReplayFile - frame)) ||
        ::mkfifo(QFile::encodeName(pipe).constData(), 0600) != 0 || !QDir().mkdir(folder)) {
        std::fprintf(stderr, "replay_crafted: cannot make the files in %s\n", qPrintable(dir));
        return 1;
    }

    int failures = 0;
    // Each takes a fraction of a second here: the bound only tells a hang.
    const auto check = [&](const char* mode, const QString& file, bool mustRefuse) {
        const auto start = std::chrono::steady_clock::now();
        std::fflush(stdout);
        const pid_t child = ::fork();
        if (child == 0) {
            std::freopen(QFile::encodeName(err).constData(), "w", stderr);
            std::freopen("/dev/null", "w", stdout);
            ::unsetenv("DISPLAY");
            ::setenv("XDG_RUNTIME_DIR", QFile::encodeName(dir).constData(), 1);
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
            ::setenv("SDL_AUDIODRIVER", "dummy", 1);
            ::execl(argv[1], argv[1], mode, QFile::encodeName(file).constData(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        int wstatus = 0;
        rusage usage{};
        ::wait4(child, &wstatus, 0, &usage);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const int status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
        QFile said(err);
        const QByteArray line = said.open(QIODevice::ReadOnly) ? said.readAll() : QByteArray();
        const bool oneLine = line.count('\n') == 1 && line.endsWith('\n');
        const bool ok = (mustRefuse ? status == 2 && oneLine : status == 1 || status == 2) && seconds < 20 &&
                        usage.ru_maxrss < 100 * 1024;
        std::printf("%s %s %s: status %d, %.2f s, peak %ld KB: %s", ok ? "ok  " : "FAIL", mode, qPrintable(file),
                    status, seconds, usage.ru_maxrss, line.isEmpty() ? "(nothing said)\n" : line.constData());
        if (!ok) ++failures;
    };
    for (const QString& file : {claims, fifty, pipe, folder, QStringLiteral("/dev/zero")}) check("--verify", file, true);
    check("--verify", largest, false);
    check("--replay", claims, true);
    return failures == 0 ? 0 : 1;
}
