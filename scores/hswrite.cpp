// Keeping a new high score in "HS" so that nothing can spoil it. The whole
// write happens under a lock on the file's folder (the lock stays with the
// folder, while "HS" itself is replaced by every write): the file is read
// again first, and a higher score another copy of the game stored
// meanwhile stays; an "HS" that exists but cannot be read is left alone.
// The new record goes into a temporary file of a fresh name created for
// this write alone (a link planted in its place is never followed), is
// synced to the disk and renamed over "HS", so a crash at any moment leaves
// the old record or the new one, whole. Temporary files of a copy killed
// mid-write are swept away by the next write.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "scores/hsfile.h"
#include "shell/regularfile.h"

namespace {

// The temporary file is "HS.new-" and six random letters or digits.
constexpr char TemporaryInfix[] = ".new-";
constexpr int RandomLetters = 6;

// Holds an exclusive lock on a folder for as long as it lives.
class FolderLock {
public:
    explicit FolderLock(const QString& folder) {
        fd_ = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd_ < 0) return;
        int locked;
        do locked = ::flock(fd_, LOCK_EX);
        while (locked != 0 && errno == EINTR);
        if (locked != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~FolderLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool held() const { return fd_ >= 0; }
    int fd() const { return fd_; }

private:
    int fd_ = -1;
};

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

HighScoreWrite writeHighScoreFile(const QString& path, const QString& name, double score) {
    const FolderLock lock(QFileInfo(path).absolutePath());
    if (!lock.held()) return HighScoreWrite::Failed;

    const RegularFile stored = readRegularFile(path, HighScoreBytes);
    if (stored.state == RegularFile::State::Unusable) return HighScoreWrite::Failed;
    if (stored.state == RegularFile::State::Read && decodeHighScore(stored.bytes).score > score)
        return HighScoreWrite::HigherKept;

    sweepTemporaries(path);
    QByteArray temporary;
    const int fd = createTemporary(path, temporary);
    if (fd < 0) return HighScoreWrite::Failed;
    const bool written = writeAll(fd, encodeHighScore(name, score)) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (written && closed && std::rename(temporary.constData(), QFile::encodeName(path).constData()) == 0) {
        ::fsync(lock.fd());  // the rename itself reaches the disk
        return HighScoreWrite::Written;
    }
    ::unlink(temporary.constData());
    return HighScoreWrite::Failed;
}
