// The videos of the proven games, a cache of their replays kept in the
// media folder: ID.webm and its moving preview ID-preview.webp. The
// provers make them when no proof waits, each board's first games before
// its next ones, and a file missing is made again. Each is made by
// "vorlane-hall film" in a child process with limits like a proof's,
// scaled to the game's length, while its entry's lock file is locked: halls
// sharing the folder never make one video twice, and a hall that dies lets
// go of its locks with its children.
#pragma once

#include <QString>

#include <atomic>
#include <map>
#include <mutex>

#include "halloffame/store.h"

class Videos {
public:
    Videos(Store& store, QString folder);

    QString videoPath(qint64 id) const;
    QString previewPath(qint64 id) const;
    bool made(qint64 id) const;

    // Makes one missing video. False when none is missing, or as many are
    // being made as may be at once.
    bool makeOne();
    // Ends the videos being made; they are made again later.
    void stop() { stopping_ = true; }

private:
    // Neither made nor failed a short while ago.
    bool wanted(qint64 id, qint64 now);
    void make(const Showing& game);

    Store& store_;
    QString folder_;
    std::mutex mutex_;
    std::map<qint64, qint64> failedAt_;  // ms since 1970: tried again later
    int making_ = 0;
    std::atomic<bool> stopping_{false};
};
