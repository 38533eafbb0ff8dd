// Where the desktop program keeps "HS": beside the program, or in the
// player's data folder when the program's folder cannot be written. A file
// that cannot be read gives nothing, and the game keeps the high score it
// holds.
#include "scores/hsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

#include "scores/hsfile.h"

namespace {

bool writable(const QString& folder) { return ::access(QFile::encodeName(folder).constData(), W_OK) == 0; }

// $XDG_DATA_HOME/vorlane/HS; a data home that is not an absolute path is
// not used, as the XDG rules say.
QString playerFile(const QString& fileName) {
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(dataHome)) dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return dataHome + QStringLiteral("/vorlane/") + fileName;
}

}  // namespace

QString HighScoreFileStore::keptIn() const {
    const QFileInfo beside(path_);
    return writable(beside.absolutePath()) ? path_ : playerFile(beside.fileName());
}

std::optional<QByteArray> HighScoreFileStore::read() {
    const QString file = keptIn();
    if (file != path_ && !QFileInfo::exists(file)) return readHighScoreBytes(path_);
    return readHighScoreBytes(file);
}

bool HighScoreFileStore::write(const QString& name, double score) {
    const QString file = keptIn();
    if (file != path_ && !QDir().mkpath(QFileInfo(file).absolutePath())) return false;
    return writeHighScoreFile(file, name, score) == HighScoreWrite::Written;
}
