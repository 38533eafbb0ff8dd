// How many uploads one address may send: 20 in any minute. Addresses are
// forgotten once their last minute has passed, so the table stays as small
// as the crowd sending now.
#pragma once

#include <QString>

#include <deque>
#include <map>
#include <mutex>

class UploadLimit {
public:
    static constexpr int PerMinute = 20;

    // Counts one upload at nowMs; false when the address is past its share.
    bool take(const QString& address, qint64 nowMs);

private:
    std::mutex mutex_;
    std::map<QString, std::deque<qint64>> sent_;
};
