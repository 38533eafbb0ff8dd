// The provers: threads, as many as the machine has cores unless told, each
// claiming the oldest proof job waiting in the database, proving its replay
// in a child process and recording the verdict there. An upload is kept
// before it is proven, so a hall stopped at any moment loses no game it
// answered for: any prover on the database takes the job again once its
// claim is a minute old, or at once when its prover was a process of the
// same machine that has ended. When no proof waits, they make the videos
// that are missing.
#pragma once

#include <QString>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "halloffame/store.h"
#include "halloffame/videos.h"

class ProofQueue {
public:
    ProofQueue(Store& store, unsigned provers, Videos* videos = nullptr);
    // Lets the proof in progress end; what is still waiting stays queued.
    ~ProofQueue();

    // Something new waits in the database. Jobs sent to other halls are
    // found by looking again every second.
    void wake();

    // The entry an upload finds after waiting for its verdict at most
    // waitMs: still queued when the time ran out. It is looked at again
    // every 100 ms, in case another hall's prover gives the verdict.
    std::optional<Entry> await(qint64 id, qint64 waitMs);

private:
    void prove();
    // Records the verdict, trying again while the database cannot be
    // reached; false when the hall stops first (the job is proven again).
    bool record(const Job& job, const Proof& proof);

    Store& store_;
    Videos* videos_;
    const QString claimer_;
    std::mutex mutex_;
    std::condition_variable waiting_;   // provers, for work
    std::condition_variable settled_;   // uploads, for verdicts
    quint64 wakes_ = 0;
    quint64 verdicts_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> provers_;
};
