// Reading from a disk that may not answer (a network home whose server has
// gone away) without hanging the one who asks: the read runs on a thread
// of its own and is waited for a bounded time only. One read at a time: a
// read still stuck is waited for within the same bound, and while it stays
// stuck no other starts, so stuck reads never pile up threads. A read
// still stuck when its owner goes holds only its own share of the answer.
#pragma once

#include <QByteArray>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

class BoundedRead {
public:
    using Read = std::function<std::optional<QByteArray>()>;

    explicit BoundedRead(std::chrono::milliseconds bound);
    ~BoundedRead();
    BoundedRead(const BoundedRead&) = delete;
    BoundedRead& operator=(const BoundedRead&) = delete;

    // What the read gave; nothing when it gave nothing, or did not answer
    // in time.
    std::optional<QByteArray> operator()(Read read);

private:
    struct Answer;

    std::chrono::milliseconds bound_;
    std::shared_ptr<Answer> answer_;
    std::thread reader_;
};
