// Keeping a new high score in "HS" so that nothing can spoil it. The whole
// write happens under the lock on the file's folder: the file is read
// again first, and a higher score another copy of the game stored
// meanwhile stays; an "HS" that exists but cannot be read is left alone.
// The new record then replaces the file whole.
#include <QFileInfo>

#include "disk/regularfile.h"
#include "disk/wholefile.h"
#include "scores/hsfile.h"

HighScoreWrite writeHighScoreFile(const QString& path, const QString& name, double score) {
    const FolderLock lock(QFileInfo(path).absolutePath());
    if (!lock.held()) return HighScoreWrite::Failed;

    const RegularFile stored = readRegularFile(path, HighScoreBytes);
    if (stored.state == RegularFile::State::Unusable) return HighScoreWrite::Failed;
    if (stored.state == RegularFile::State::Read && decodeHighScore(stored.bytes).score > score)
        return HighScoreWrite::HigherKept;

    return replaceWhole(lock, path, encodeHighScore(name, score)) ? HighScoreWrite::Written : HighScoreWrite::Failed;
}
