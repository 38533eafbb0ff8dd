// The folder's lock, the temporary file and the rename.
#include "disk/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// The temporary file is the file's name, ".new-" and six random letters or
// digits.
constexpr char TemporaryInfix[] = ".new-";
constexpr int RandomLetters = 6;

// How long another writer's lock is waited for, and how often it is tried.
constexpr auto LockPatience = std::chrono::milliseconds(200);
constexpr auto LockRetry = std::chrono::milliseconds(2);

QString randomLetters() {
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString text;
    for (int i = 0; i < RandomLetters; ++i)
        text += QLatin1Char(letters[QRandomGenerator::system()->bounded(int(sizeof letters - 1))]);
    return text;
}

// Creates a temporary file of a name nobody else has; -1 when none can be.
int createTemporary(const QString& path, QByteArray& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = QFile::encodeName(path + QLatin1String(TemporaryInfix) + randomLetters());
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Temporary files left by a write that was cut off. Only the writer holding
// the lock ever has one, so none of them is in use.
void sweepTemporaries(const QString& path) {
    const QFileInfo target(path);
    const QString pattern = target.fileName() + QLatin1String(TemporaryInfix) + QString(RandomLetters, QLatin1Char('?'));
    QDir folder = target.dir();
    for (const QString& name : folder.entryList({pattern}, QDir::Files | QDir::System | QDir::Hidden))
        ::unlink(QFile::encodeName(folder.filePath(name)).constData());
}

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += n;
    }
    return true;
}

}  // namespace

FolderLock::FolderLock(const QString& folder) {
    fd_ = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return;
    const auto deadline = std::chrono::steady_clock::now() + LockPatience;
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) {
            ::close(fd_);
            fd_ = -1;
            return;
        }
        std::this_thread::sleep_for(LockRetry);
    }
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) ::close(fd_);
}

bool replaceWhole(const FolderLock& lock, const QString& path, const QByteArray& bytes) {
    if (!lock.held()) return false;
    sweepTemporaries(path);
    QByteArray temporary;
    const int fd = createTemporary(path, temporary);
    if (fd < 0) return false;
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (written && closed && std::rename(temporary.constData(), QFile::encodeName(path).constData()) == 0) {
        ::fsync(lock.fd_);  // the rename itself reaches the disk
        return true;
    }
    ::unlink(temporary.constData());
    return false;
}
