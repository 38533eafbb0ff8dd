// The provers: as many threads as the machine has cores, each taking the
// oldest replay waiting in the database, proving it in a child process and
// recording the verdict there. An upload is kept before it is proven, so a
// hall stopped at any moment loses no game it answered for; started again,
// it proves what was left waiting. When no proof waits, they make the
// videos that are missing.
#pragma once

#include <QString>

#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "halloffame/store.h"
#include "halloffame/videos.h"

class ProofQueue {
public:
    explicit ProofQueue(Store& store, Videos* videos = nullptr);
    // Lets the proof in progress end; what is still waiting stays queued.
    ~ProofQueue();

    // Something new waits in the database.
    void wake();

    // What an upload finds after waiting for its verdict at most waitMs.
    struct Outcome {
        std::optional<Entry> entry;  // still queued when the time ran out
        QString unreadable;          // why, when the bytes were no replay and are not kept
    };
    Outcome await(qint64 id, qint64 waitMs);

private:
    void prove();

    Store& store_;
    Videos* videos_;
    std::mutex mutex_;
    std::condition_variable waiting_;   // provers, for work
    std::condition_variable settled_;   // uploads, for verdicts
    quint64 wakes_ = 0;
    quint64 verdicts_ = 0;
    bool stopping_ = false;
    std::map<qint64, QString> unreadable_;
    std::vector<std::thread> provers_;
};
