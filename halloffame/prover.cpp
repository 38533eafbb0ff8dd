// The limited child process and reading its answer.
#include "halloffame/prover.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "replay/format.h"
#include "replay/headless.h"

namespace {

constexpr rlim_t ProcessorSeconds = 10;
constexpr rlim_t MemoryBytes = rlim_t(512) * 1024 * 1024;
constexpr qint64 AllMs = 30 * 1000;
// A proof holds a picture of the play area and a few numbers.
constexpr qsizetype LargestAnswer = 4 * 1024 * 1024;

// The playback ran but gave no verdict: the replay is refused for it.
Proof unanswered(const QString& reason) {
    Proof proof;
    proof.answered = false;
    proof.reason = reason;
    return proof;
}

// The hall could not start the playback: nothing is known of the replay.
Proof notStarted() {
    Proof proof;
    proof.answered = false;
    proof.started = false;
    proof.reason = QStringLiteral("the hall could not start a proof");
    return proof;
}

qint64 nowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

void limit(int resource, rlim_t value) {
    const rlimit bound{value, value};
    setrlimit(resource, &bound);
}

// Feeds the bytes in and reads the answer out at once, so neither pipe
// fills while the other waits, until the child closes its output or the
// time is up. The input is closed once written, and on every way out.
bool conversation(int& in, int out, const QByteArray& bytes, QByteArray& answer) {
    const qint64 deadline = nowMs() + AllMs;
    qsizetype written = 0;
    char chunk[65536];
    for (;;) {
        const qint64 left = deadline - nowMs();
        if (left <= 0) return false;
        pollfd fds[2] = {{out, POLLIN, 0}, {in, POLLOUT, 0}};
        const int count = in >= 0 ? 2 : 1;
        if (poll(fds, count, int(left)) < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (count == 2 && fds[1].revents) {
            const ssize_t n = write(in, bytes.constData() + written, size_t(bytes.size() - written));
            if (n > 0) written += n;
            if (n < 0 || written == bytes.size()) {
                close(in);
                in = -1;
            }
        }
        if (fds[0].revents) {
            const ssize_t n = read(out, chunk, sizeof chunk);
            if (n == 0) return true;
            if (n < 0 && errno != EINTR) return false;
            if (n > 0) answer.append(chunk, n);
            if (answer.size() > LargestAnswer) return false;
        }
    }
}

}  // namespace

Proof proveInChild(const QByteArray& bytes) {
    int toChild[2], fromChild[2];
    if (pipe2(toChild, O_CLOEXEC) != 0) return notStarted();
    if (pipe2(fromChild, O_CLOEXEC) != 0) {
        close(toChild[0]);
        close(toChild[1]);
        return notStarted();
    }
    // Made before the fork: the child only calls what is safe there.
    static const char self[] = "/proc/self/exe";
    char program[] = "vorlane-hall";
    char command[] = "prove";
    char* const argv[] = {program, command, nullptr};
    const pid_t child = fork();
    if (child == 0) {
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        dup2(toChild[0], STDIN_FILENO);
        dup2(fromChild[1], STDOUT_FILENO);
        const int nowhere = open("/dev/null", O_WRONLY);
        if (nowhere >= 0) dup2(nowhere, STDERR_FILENO);
        limit(RLIMIT_CPU, ProcessorSeconds);
        limit(RLIMIT_AS, MemoryBytes);
        limit(RLIMIT_FSIZE, 0);
        limit(RLIMIT_CORE, 0);
        execv(self, argv);
        _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    if (child < 0) {
        close(toChild[1]);
        close(fromChild[0]);
        return notStarted();
    }
    QByteArray answer;
    int input = toChild[1];
    const bool answered = conversation(input, fromChild[0], bytes, answer);
    if (input >= 0) close(input);
    if (!answered) kill(child, SIGKILL);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (answer.isEmpty() || !answered) {
        // A closed pipe ends a child that has stopped reading; the pipe's
        // own end is closed once the bytes are all written.
        close(fromChild[0]);
        return unanswered(WIFSIGNALED(status) || !answered
                          ? QStringLiteral("the playback ran out of its time or memory")
                          : QStringLiteral("the playback ended without an answer"));
    }
    close(fromChild[0]);
    const std::optional<Proof> proof = Proof::fromJson(answer);
    if (!proof || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return unanswered(QStringLiteral("the playback ended without an answer"));
    return *proof;
}

int proveCommand(char* argv0) {
    const HeadlessApplication app(argv0);
    QByteArray bytes;
    char chunk[65536];
    for (;;) {
        const size_t n = std::fread(chunk, 1, sizeof chunk, stdin);
        if (n == 0) break;
        bytes.append(chunk, qsizetype(n));
        if (bytes.size() > LargestReplayFile) break;
    }
    Proof tooLarge;
    tooLarge.reason = QStringLiteral("larger than a replay can be");
    const QByteArray json = bytes.size() > LargestReplayFile
                                ? tooLarge.toJson()
                                : proveReplay(bytes, QCoreApplication::applicationDirPath()).toJson();
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
