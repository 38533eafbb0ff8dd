// The one careful way the program opens its files: look before opening, open
// without blocking (a pipe would otherwise wait for a writer forever), and
// check again on what was opened, since the name may have been swapped.
#include "disk/regularfile.h"

#include <QFile>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RegularFile readRegularFile(const QString& path, qint64 limit) {
    RegularFile file;
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    if (::stat(name.constData(), &info) != 0) {
        file.state = errno == ENOENT || errno == ENOTDIR ? RegularFile::State::Missing : RegularFile::State::Unusable;
        return file;
    }
    file.state = RegularFile::State::Unusable;
    if (!S_ISREG(info.st_mode)) return file;
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) file.state = RegularFile::State::Missing;
        return file;
    }
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        // One byte past the limit tells whether the file ends within it; the
        // room is what the file says it holds, which may change under us.
        const qint64 room = std::min<qint64>(info.st_size, limit) + 1;
        QByteArray bytes(static_cast<qsizetype>(room), Qt::Uninitialized);
        qint64 got = 0;
        bool failed = false;
        while (got <= limit) {
            if (got == bytes.size()) bytes.resize(static_cast<qsizetype>(std::min(2 * got, limit + 1)));
            const ssize_t n = ::read(fd, bytes.data() + got, static_cast<size_t>(bytes.size() - got));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) failed = true;
            if (n <= 0) break;
            got += n;
        }
        if (!failed) {
            file.stamp = {info.st_size, info.st_mtim};
            file.whole = got <= limit;
            bytes.truncate(static_cast<qsizetype>(std::min(got, limit)));
            file.bytes = bytes;
            file.state = RegularFile::State::Read;
        }
    }
    ::close(fd);
    return file;
}

// Asked at every cue, in the middle of a tick: a look at the file and a
// question about its permissions, without opening it.
bool isReadableRegularFile(const QString& path) {
    return regularFileStamp(path) && ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), R_OK, AT_EACCESS) == 0;
}

std::optional<FileStamp> regularFileStamp(const QString& path) {
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return FileStamp{info.st_size, info.st_mtim};
}
