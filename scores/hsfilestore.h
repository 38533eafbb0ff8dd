// "HS" on disk, where the game keeps its high score between runs. It lives
// beside the program while that folder can be written (a build, or an
// install into the player's own folder). Under a folder the player may not
// write to (a package installed under /usr) it lives in the player's data
// folder, made at the first write; until then the "HS" beside the program,
// if any, is read as the high score.
//
// A new high score is written on a worker thread, so that a slow disk or
// another copy of the game holding the folder's lock never holds up the
// game. "HS" is read on a thread of its own and waited for 200 ms at the
// most, as the lock is: a disk that does not answer by then (a network
// home whose server has gone) has no file to read. Until the record is on disk the store keeps it: read() gives it
// whenever the file holds a lower score or none that can be read, so a
// record the disk refused (full, read-only, locked) stays the high score
// for the whole session. Such a record is tried again at the next read or
// write, that is at the next game over. A higher score on disk, from
// another copy of the game, wins.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "disk/boundedread.h"
#include "shell/highscorestore.h"

class HighScoreFileStore : public HighScoreStore {
public:
    // Gives the bytes of the file holding the high score, for "HS" at the
    // given path: the player's own, or the program folder's while the
    // player has none.
    using DiskRead = std::function<std::optional<QByteArray>(const QString& path)>;

    // path: "HS" in the program's folder. readDisk: the disk's answer, when
    // it is not the file's.
    explicit HighScoreFileStore(QString path, DiskRead readDisk = {});
    // Gives a record not yet on disk one last try, and waits up to two
    // seconds for it.
    ~HighScoreFileStore() override;
    HighScoreFileStore(const HighScoreFileStore&) = delete;
    HighScoreFileStore& operator=(const HighScoreFileStore&) = delete;

    std::optional<QByteArray> read() override;
    // Takes the record and returns at once; false only when the store
    // already holds a higher record it has not written yet.
    bool write(const QString& name, double score) override;
    // The file a new high score is written to now.
    QString writtenFile() const;
    // The program is about to end: a record not yet on disk gets one last
    // try, waited for up to two seconds. True when no write is left going.
    bool lastTry();
    // Waits at most that long for the write in flight; true when none is.
    bool waitForWrite(std::chrono::milliseconds longest);

private:
    struct Unwritten;
    void writeInBackground();

    QString path_;
    DiskRead readDisk_;
    BoundedRead boundedRead_;
    std::shared_ptr<Unwritten> unwritten_;  // shared with the worker
    std::thread worker_;
};
