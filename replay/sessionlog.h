// The log of a session as it is recorded: every event that reached the
// game, stamped with the milliseconds since load, and every answer from
// outside, in the order they happened.
#pragma once

#include <QElapsedTimer>

#include <cstdint>
#include <functional>
#include <vector>

#include "replay/replay.h"

class SessionLog {
public:
    using Clock = std::function<std::uint32_t()>;
    // The clock counts from load; the real one is started here.
    explicit SessionLog(Clock clock = {});

    void event(const GameEvent& event) { records_.push_back(ReplayRecord::at(event, clock_())); }
    void answer(ReplayRecord record) { records_.push_back(std::move(record)); }
    const std::vector<ReplayRecord>& records() const { return records_; }

private:
    QElapsedTimer elapsed_;
    Clock clock_;
    std::vector<ReplayRecord> records_;
};
