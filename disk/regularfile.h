// Reading the files that lie beside the program and in the player's folder
// (pictures, sounds, the high score, replays) only when they are ordinary
// files. A named pipe, a device or a folder in their place counts as a
// file that cannot be used, and is found out without ever waiting on it.
#pragma once

#include <QByteArray>
#include <QString>

#include <ctime>
#include <optional>

#include <sys/types.h>

// What tells one version of a file from the next: something read earlier
// holds only while its file still has the same stamp.
struct FileStamp {
    off_t size = 0;
    timespec modified{};

    bool operator==(const FileStamp& other) const {
        return size == other.size && modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec;
    }
};

struct RegularFile {
    enum class State { Read, Missing, Unusable };
    State state = State::Missing;
    QByteArray bytes;    // at most the limit asked for
    bool whole = false;  // the file ended within the limit
    FileStamp stamp;     // the version read
};

// Opens without blocking, makes sure the file is a regular one, and reads
// up to limit bytes. Missing: there is no file by that name; Unusable: there
// is something that cannot be opened or read as a regular file.
RegularFile readRegularFile(const QString& path, qint64 limit);

// A regular file that the program may read.
bool isReadableRegularFile(const QString& path);

// The stamp of a regular file, without opening it; nothing for anything else.
std::optional<FileStamp> regularFileStamp(const QString& path);
