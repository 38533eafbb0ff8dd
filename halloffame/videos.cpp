// Choosing the next video to make, its lock, and the limited child that
// makes it.
#include "halloffame/videos.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// A failed video is tried again after this long.
constexpr qint64 RetryMs = 10 * 60 * 1000;

// The limits of one filming, by the game's length in seconds: the film's
// child and its encoder each take a few seconds of processor a minute.
rlim_t processorSeconds(qint64 seconds) { return rlim_t(30 + seconds); }
rlim_t largestFile(qint64 seconds) { return rlim_t(16 + seconds / 8) * 1024 * 1024; }
qint64 allMs(qint64 seconds) { return (60 + 2 * seconds) * 1000; }
constexpr rlim_t MemoryBytes = rlim_t(1024) * 1024 * 1024;

void limit(int resource, rlim_t value) {
    const rlimit bound{value, value};
    setrlimit(resource, &bound);
}

// The replay's bytes in a file of memory, for the child's standard input.
int memoryFile(const QByteArray& bytes) {
    const int file = memfd_create("replay", MFD_CLOEXEC);
    if (file < 0) return -1;
    if (write(file, bytes.constData(), size_t(bytes.size())) != bytes.size() || lseek(file, 0, SEEK_SET) != 0) {
        close(file);
        return -1;
    }
    return file;
}

// Runs "vorlane-hall film VIDEO PREVIEW" on the replay, at a lower
// priority than the hall's answers; true when it ended well within its
// time. Killed when the time is up or the hall stops.
bool film(const QByteArray& bytes, const QString& video, const QString& preview, qint64 seconds,
          const std::atomic<bool>& stopping) {
    const int replay = memoryFile(bytes);
    if (replay < 0) return false;
    // Made before the fork: the child only calls what is safe there.
    QByteArray videoPath = video.toLocal8Bit(), previewPath = preview.toLocal8Bit();
    char program[] = "vorlane-hall";
    char command[] = "film";
    char* const argv[] = {program, command, videoPath.data(), previewPath.data(), nullptr};
    const pid_t parent = getpid();
    const pid_t child = fork();
    if (child == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) _exit(127);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        dup2(replay, STDIN_FILENO);
        const int nowhere = open("/dev/null", O_WRONLY);
        if (nowhere >= 0) {
            dup2(nowhere, STDOUT_FILENO);
            dup2(nowhere, STDERR_FILENO);
        }
        setpriority(PRIO_PROCESS, 0, 10);
        limit(RLIMIT_CPU, processorSeconds(seconds));
        limit(RLIMIT_AS, MemoryBytes);
        limit(RLIMIT_FSIZE, largestFile(seconds));
        limit(RLIMIT_CORE, 0);
        execv("/proc/self/exe", argv);
        _exit(127);
    }
    close(replay);
    if (child < 0) return false;
    const qint64 deadline = QDateTime::currentMSecsSinceEpoch() + allMs(seconds);
    int status = 0;
    for (;;) {
        const pid_t ended = waitpid(child, &status, WNOHANG);
        if (ended == child) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (ended < 0 && errno != EINTR) return false;
        if (stopping || QDateTime::currentMSecsSinceEpoch() > deadline) {
            kill(child, SIGKILL);
            while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
            }
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

}  // namespace

Videos::Videos(Store& store, QString folder) : store_(store), folder_(std::move(folder)) {
    QDir().mkpath(folder_);
    // Without it every video would fail, and be tried again and again.
    if (QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty()) {
        std::fprintf(stderr, "vorlane-hall: no ffmpeg here (tools/packages-hall): the games' videos are not made\n");
        stopping_ = true;
    }
}

QString Videos::videoPath(qint64 id) const { return QStringLiteral("%1/%2.webm").arg(folder_).arg(id); }

QString Videos::previewPath(qint64 id) const { return QStringLiteral("%1/%2-preview.webp").arg(folder_).arg(id); }

bool Videos::made(qint64 id) const { return QFileInfo::exists(videoPath(id)) && QFileInfo::exists(previewPath(id)); }

bool Videos::makeOne() {
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    // A core is left for the proofs.
    const int most = std::max(1, int(std::thread::hardware_concurrency()) - 1);
    {
        std::lock_guard lock(mutex_);
        if (making_ >= most || stopping_) return false;
        ++making_;
    }
    bool tried = false;
    for (const Showing& game : store_.bestFirst()) {
        if (!wanted(game.id, now)) continue;
        const QByteArray lockPath = QStringLiteral("%1/%2.lock").arg(folder_).arg(game.id).toLocal8Bit();
        const int held = open(lockPath.constData(), O_CREAT | O_RDWR | O_CLOEXEC, 0644);
        if (held < 0) break;
        if (flock(held, LOCK_EX | LOCK_NB) == 0) {
            // Another hall may have made it while this one looked.
            if (!made(game.id)) make(game);
            // Whoever waits on this lock finds the video made, or makes it.
            unlink(lockPath.constData());
            tried = true;
        }
        close(held);
        if (tried) break;
    }
    std::lock_guard lock(mutex_);
    --making_;
    return tried;
}

bool Videos::wanted(qint64 id, qint64 now) {
    {
        std::lock_guard lock(mutex_);
        const auto failed = failedAt_.find(id);
        if (failed != failedAt_.end() && now - failed->second < RetryMs) return false;
    }
    return !made(id);
}

void Videos::make(const Showing& game) {
    const std::optional<QByteArray> bytes = store_.replayBytes(game.id);
    if (!bytes) return;
    if (film(*bytes, videoPath(game.id), previewPath(game.id), game.lengthMs / 1000, stopping_)) return;
    // What a killed child left under its temporary names goes.
    QFile::remove(videoPath(game.id) + QStringLiteral(".part"));
    QFile::remove(previewPath(game.id) + QStringLiteral(".part"));
    std::lock_guard lock(mutex_);
    if (!stopping_) failedAt_[game.id] = QDateTime::currentMSecsSinceEpoch();
}
