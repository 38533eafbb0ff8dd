// The provers' threads and an upload's wait for its verdict.
#include "halloffame/proofqueue.h"

#include <QDateTime>

#include <algorithm>
#include <chrono>

#include "halloffame/claimer.h"
#include "halloffame/prover.h"

namespace {

// How long an idle prover sleeps before it looks again for a job another
// hall took in, or one whose prover has not answered in a minute.
constexpr auto Idle = std::chrono::seconds(1);
// How often an upload waiting for its verdict looks at its entry.
constexpr auto Look = std::chrono::milliseconds(100);
// How long a prover waits after the database could not be reached.
constexpr auto Unreachable = std::chrono::seconds(2);

}  // namespace

ProofQueue::ProofQueue(Store& store, unsigned provers, Videos* videos)
    : store_(store), videos_(videos), claimer_(thisClaimer()) {
    for (unsigned n = 0; n < provers; ++n) provers_.emplace_back([this] { prove(); });
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

bool ProofQueue::record(const Job& job, const Proof& proof) {
    for (;;) {
        try {
            if (job.again)
                store_.settleAgain(job.id, proof);
            else
                store_.settle(job.id, proof);
            return true;
        } catch (const DatabaseUnavailable&) {
            std::unique_lock lock(mutex_);
            if (waiting_.wait_for(lock, Unreachable, [this] { return stopping_; })) return false;
        }
    }
}

void ProofQueue::prove() {
    for (;;) {
        quint64 seen = 0;
        {
            std::lock_guard lock(mutex_);
            if (stopping_) return;
            seen = wakes_;
        }
        auto rest = Idle;
        try {
            if (const std::optional<Job> job = store_.claim(QDateTime::currentMSecsSinceEpoch(), claimer_)) {
                const Proof proof = proveInChild(job->bytes);
                if (!record(*job, proof)) return;
                if (job->again) continue;
                {
                    std::lock_guard lock(mutex_);
                    ++verdicts_;
                }
                settled_.notify_all();
                continue;
            }
            store_.freeClaims(claimerGone);
            if (videos_ && videos_->makeOne()) continue;
        } catch (const DatabaseUnavailable&) {
            rest = Unreachable;
        }
        std::unique_lock lock(mutex_);
        waiting_.wait_for(lock, rest, [&] { return stopping_ || wakes_ != seen; });
    }
}

std::optional<Entry> ProofQueue::await(qint64 id, qint64 waitMs) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    std::unique_lock lock(mutex_);
    for (;;) {
        const quint64 seen = verdicts_;
        lock.unlock();
        std::optional<Entry> entry = store_.entry(id);
        lock.lock();
        if (!entry || entry->status != QLatin1String("queued")) return entry;
        if (std::chrono::steady_clock::now() >= until) return entry;
        settled_.wait_until(lock, std::min(until, std::chrono::steady_clock::now() + Look),
                            [&] { return verdicts_ != seen; });
    }
}
