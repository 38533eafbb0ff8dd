// A read on a thread of its own, waited for a bounded time.
#include "disk/boundedread.h"

#include <condition_variable>
#include <mutex>
#include <utility>

// The answer of the read in flight, shared with its thread.
struct BoundedRead::Answer {
    std::mutex mutex;
    std::condition_variable given;
    bool reading = false;
    std::optional<QByteArray> bytes;
};

BoundedRead::BoundedRead(std::chrono::milliseconds bound) : bound_(bound), answer_(std::make_shared<Answer>()) {}

BoundedRead::~BoundedRead() {
    if (!reader_.joinable()) return;
    bool stuck;
    {
        const std::lock_guard lock(answer_->mutex);
        stuck = answer_->reading;
    }
    if (stuck)
        reader_.detach();
    else
        reader_.join();
}

std::optional<QByteArray> BoundedRead::operator()(Read read) {
    const auto deadline = std::chrono::steady_clock::now() + bound_;
    std::unique_lock lock(answer_->mutex);
    if (!answer_->given.wait_until(lock, deadline, [this] { return !answer_->reading; })) return std::nullopt;
    answer_->reading = true;
    lock.unlock();
    if (reader_.joinable()) reader_.join();  // it has given its answer
    reader_ = std::thread([answer = answer_, read = std::move(read)] {
        std::optional<QByteArray> bytes = read();
        const std::lock_guard lock(answer->mutex);
        answer->bytes = std::move(bytes);
        answer->reading = false;
        answer->given.notify_all();
    });
    lock.lock();
    if (!answer_->given.wait_until(lock, deadline, [this] { return !answer_->reading; })) return std::nullopt;
    return std::exchange(answer_->bytes, std::nullopt);
}
