// The provers' threads and an upload's wait for its verdict.
#include "halloffame/proofqueue.h"

#include <QDateTime>

#include <algorithm>
#include <chrono>

#include "halloffame/prover.h"

namespace {

// How long an idle prover sleeps before it looks again for a replay whose
// prover has not answered in a minute.
constexpr auto Idle = std::chrono::seconds(10);

}  // namespace

ProofQueue::ProofQueue(Store& store, Videos* videos) : store_(store), videos_(videos) {
    store_.releaseClaims();
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned n = 0; n < cores; ++n) provers_.emplace_back([this] { prove(); });
}

ProofQueue::~ProofQueue() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    waiting_.notify_all();
    for (std::thread& prover : provers_) prover.join();
}

void ProofQueue::wake() {
    {
        std::lock_guard lock(mutex_);
        ++wakes_;
    }
    waiting_.notify_one();
}

void ProofQueue::prove() {
    for (;;) {
        quint64 seen = 0;
        {
            std::lock_guard lock(mutex_);
            if (stopping_) return;
            seen = wakes_;
        }
        if (const std::optional<Job> job = store_.claim(QDateTime::currentMSecsSinceEpoch())) {
            const Proof proof = proveInChild(job->bytes);
            if (job->again) {
                store_.settleAgain(job->id, proof);
                continue;
            }
            store_.settle(job->id, proof);
            {
                std::lock_guard lock(mutex_);
                if (!proof.replay) unreadable_[job->id] = proof.reason;
                ++verdicts_;
            }
            settled_.notify_all();
            continue;
        }
        if (videos_ && videos_->makeOne()) continue;
        std::unique_lock lock(mutex_);
        waiting_.wait_for(lock, Idle, [&] { return stopping_ || wakes_ != seen; });
    }
}

ProofQueue::Outcome ProofQueue::await(qint64 id, qint64 waitMs) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    std::unique_lock lock(mutex_);
    for (;;) {
        if (const auto found = unreadable_.find(id); found != unreadable_.end()) {
            Outcome outcome{std::nullopt, found->second};
            unreadable_.erase(found);
            return outcome;
        }
        const quint64 seen = verdicts_;
        lock.unlock();
        std::optional<Entry> entry = store_.entry(id);
        lock.lock();
        if (entry && entry->status != QLatin1String("queued")) return {entry, {}};
        if (!settled_.wait_until(lock, until, [&] { return verdicts_ != seen; })) return {entry, {}};
    }
}
