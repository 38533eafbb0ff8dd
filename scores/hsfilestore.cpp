// Where the desktop program keeps "HS": beside the program, or in the
// player's data folder when the program's folder cannot be written. A file
// that cannot be read gives nothing, and the game keeps the high score it
// holds.
#include "scores/hsfilestore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

#include "disk/datafolder.h"
#include "scores/hsfile.h"

namespace {

bool writable(const QString& folder) { return ::access(QFile::encodeName(folder).constData(), W_OK) == 0; }

}  // namespace

QString HighScoreFileStore::writtenFile() const {
    const QFileInfo beside(path_);
    return writable(beside.absolutePath()) ? path_ : playerDataFolder() + QLatin1Char('/') + beside.fileName();
}

std::optional<QByteArray> HighScoreFileStore::read() {
    const QString file = writtenFile();
    if (file != path_ && !QFileInfo::exists(file)) return readHighScoreBytes(path_);
    return readHighScoreBytes(file);
}

bool HighScoreFileStore::write(const QString& name, double score) {
    const QString file = writtenFile();
    if (file != path_ && !QDir().mkpath(QFileInfo(file).absolutePath())) return false;
    return writeHighScoreFile(file, name, score) == HighScoreWrite::Written;
}
