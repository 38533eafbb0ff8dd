// Feeds arbitrary bytes to the high-score reader as the file "HS": it must
// never crash, never read past the bytes, and whatever it reads must come
// back unchanged when written and read again. The bytes are laid down as a
// real file and read the way the game reads "HS", which must give exactly
// the bytes with a meaning.
#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cmath>
#include <cstdlib>

#include <unistd.h>

#include "scores/hsfile.h"

namespace {

// One file for the whole run, in a folder of its own that goes at the end.
QByteArray folder = QDir::tempPath().toLocal8Bit() + "/hs_fuzz.XXXXXX";

const QString& filePath() {
    static const QString path = [] {
        if (!::mkdtemp(folder.data())) std::abort();
        std::atexit([] { QDir(QString::fromLocal8Bit(folder)).removeRecursively(); });
        return QString::fromLocal8Bit(folder) + QStringLiteral("/HS");
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QFile onDisk(filePath());
    if (!onDisk.open(QIODevice::WriteOnly | QIODevice::Truncate) || onDisk.write(bytes) != bytes.size()) std::abort();
    onDisk.close();
    const std::optional<QByteArray> stored = readHighScoreBytes(filePath());
    if (!stored || *stored != bytes.left(HighScoreBytes)) std::abort();

    const HighScore read = decodeHighScore(*stored);
    if (read.name.size() > 18 || !std::isfinite(read.score) || read.score < 0) std::abort();

    const HighScore again = decodeHighScore(encodeHighScore(read.name, read.score));
    if (again.name != read.name || again.score != read.score) std::abort();
    return 0;
}
