// A sliding minute of uploads per address.
#include "halloffame/uploadlimit.h"

bool UploadLimit::take(const QString& address, qint64 nowMs) {
    constexpr qint64 Minute = 60 * 1000;
    std::lock_guard lock(mutex_);
    for (auto at = sent_.begin(); at != sent_.end();) {
        while (!at->second.empty() && at->second.front() <= nowMs - Minute) at->second.pop_front();
        at = at->second.empty() ? sent_.erase(at) : std::next(at);
    }
    std::deque<qint64>& times = sent_[address];
    if (int(times.size()) >= PerMinute) return false;
    times.push_back(nowMs);
    return true;
}
