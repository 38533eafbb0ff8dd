// The log of a session as it is recorded: every event that reached the
// game since the log was last begun again, stamped with the milliseconds
// since load, and every answer from outside, in the order they happened,
// kept already written as the replay file holds them; and how many random
// numbers the game has drawn since load.
#pragma once

#include <QElapsedTimer>

#include <cstdint>
#include <functional>

#include "replay/format.h"

class SessionLog {
public:
    using Clock = std::function<std::uint32_t()>;
    // The clock counts from load; the real one is started here.
    explicit SessionLog(Clock clock = {});

    void event(const GameEvent& event) { records_.add(ReplayRecord::at(event, clock_())); }
    void answer(const ReplayRecord& record) { records_.add(record); }
    void drew() { ++draws_; }
    const RecordStream& records() const { return records_; }
    std::uint64_t draws() const { return draws_; }
    // Forgets the records: what came before is needed no more.
    void restart() { records_ = RecordStream(); }

private:
    QElapsedTimer elapsed_;
    Clock clock_;
    RecordStream records_;
    std::uint64_t draws_ = 0;
};
