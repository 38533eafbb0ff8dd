// Reading the files that lie beside the program (pictures, sounds, the
// high score) only when they are ordinary files. A named pipe, a device or
// a folder in their place counts as a file that cannot be used, and is
// found out without ever waiting on it.
#pragma once

#include <QByteArray>
#include <QString>

struct RegularFile {
    enum class State { Read, Missing, Unusable };
    State state = State::Missing;
    QByteArray bytes;    // at most the limit asked for
    bool whole = false;  // the file ended within the limit
};

// Opens without blocking, makes sure the file is a regular one, and reads
// up to limit bytes. Missing: there is no file by that name; Unusable: there
// is something that cannot be opened or read as a regular file.
RegularFile readRegularFile(const QString& path, qint64 limit);

// A regular file that can be opened for reading.
bool isReadableRegularFile(const QString& path);
