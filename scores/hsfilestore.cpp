// Where the desktop program keeps "HS": beside the program, or in the
// player's data folder when the program's folder cannot be written. A file
// that cannot be read, or a disk that does not answer in time, gives
// nothing, and the game keeps the high score it holds. A new record is written by one worker at a time and is kept here
// until it is on disk.
#include "scores/hsfilestore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <condition_variable>
#include <mutex>

#include <unistd.h>

#include "disk/datafolder.h"
#include "scores/hsfile.h"

namespace {

// How long the program's end waits for a record to reach the disk.
constexpr auto LongestWaitAtEnd = std::chrono::seconds(2);
// How long the game waits for "HS" to be read: a local disk answers in a
// moment, but the reading thread may wait for a processor as long again
// on a busy machine; a disk that has not answered by then has gone.
constexpr auto LongestRead = std::chrono::seconds(1);

bool writable(const QString& folder) { return ::access(QFile::encodeName(folder).constData(), W_OK) == 0; }

QString fileFor(const QString& path) {
    const QFileInfo beside(path);
    return writable(beside.absolutePath()) ? path : playerDataFolder() + QLatin1Char('/') + beside.fileName();
}

std::optional<QByteArray> readStored(const QString& path) {
    const QString file = fileFor(path);
    return readHighScoreBytes(file != path && !QFileInfo::exists(file) ? path : file);
}

bool sameRecord(const HighScore& a, const HighScore& b) { return a.name == b.name && a.score == b.score; }

// True when the file holds the record or a higher one.
bool keep(const QString& path, const HighScore& record) {
    const QString file = fileFor(path);
    if (file != path && !QDir().mkpath(QFileInfo(file).absolutePath())) return false;
    return writeHighScoreFile(file, record.name, record.score) != HighScoreWrite::Failed;
}

}  // namespace

// The record not yet on disk, and whether a worker is writing.
struct HighScoreFileStore::Unwritten {
    std::mutex mutex;
    std::condition_variable idle;
    std::optional<HighScore> record;
    bool writing = false;

    // The worker: writes the record, then any higher one that came in
    // meanwhile; a record the disk refuses waits for the next try.
    void write(const QString& path) {
        std::unique_lock lock(mutex);
        while (record) {
            const HighScore next = *record;
            lock.unlock();
            const bool kept = keep(path, next);
            lock.lock();
            if (!kept) break;
            if (sameRecord(*record, next)) record.reset();
        }
        writing = false;
        idle.notify_all();
    }
};

HighScoreFileStore::HighScoreFileStore(QString path, DiskRead readDisk)
    : path_(std::move(path)),
      readDisk_(readDisk ? std::move(readDisk) : readStored),
      boundedRead_(LongestRead),
      unwritten_(std::make_shared<Unwritten>()) {}

HighScoreFileStore::~HighScoreFileStore() {
    const bool done = lastTry();
    if (!worker_.joinable()) return;
    // A worker stuck on the disk holds its own share of the record and ends
    // with the program; "HS" is whole either way.
    if (done)
        worker_.join();
    else
        worker_.detach();
}

bool HighScoreFileStore::lastTry() {
    writeInBackground();
    return waitForWrite(LongestWaitAtEnd);
}

QString HighScoreFileStore::writtenFile() const { return fileFor(path_); }

std::optional<QByteArray> HighScoreFileStore::read() {
    writeInBackground();
    // The record is looked at before the file: once the worker has let it
    // go, the file holds it.
    std::optional<HighScore> record;
    {
        const std::lock_guard lock(unwritten_->mutex);
        record = unwritten_->record;
    }
    const std::optional<QByteArray> stored = boundedRead_([read = readDisk_, path = path_] { return read(path); });
    if (record && (!stored || decodeHighScore(*stored).score <= record->score))
        return encodeHighScore(record->name, record->score);
    return stored;
}

bool HighScoreFileStore::write(const QString& name, double score) {
    {
        const std::lock_guard lock(unwritten_->mutex);
        if (unwritten_->record && unwritten_->record->score > score) return false;
        unwritten_->record = HighScore{name, score};
    }
    writeInBackground();
    return true;
}

bool HighScoreFileStore::waitForWrite(std::chrono::milliseconds longest) {
    std::unique_lock lock(unwritten_->mutex);
    return unwritten_->idle.wait_for(lock, longest, [this] { return !unwritten_->writing; });
}

void HighScoreFileStore::writeInBackground() {
    {
        const std::lock_guard lock(unwritten_->mutex);
        if (unwritten_->writing || !unwritten_->record) return;
        unwritten_->writing = true;
    }
    if (worker_.joinable()) worker_.join();  // the last worker has finished its write
    worker_ = std::thread([unwritten = unwritten_, path = path_] { unwritten->write(path); });
}
