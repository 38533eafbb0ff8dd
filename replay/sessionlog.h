// The log of a session as it is recorded: every event that reached the
// game since the log was last begun again, stamped with the milliseconds
// since load, and every answer from outside, in the order they happened,
// kept already written as the replay file holds them; and the session's
// random numbers, which start afresh from a seed of their own at every
// game's Start, so that a replay never counts through what the attract
// display drew before it.
#pragma once

#include <QElapsedTimer>

#include <cstdint>
#include <functional>

#include "replay/format.h"
#include "replay/gamerandom.h"

class SessionLog {
public:
    using Clock = std::function<std::uint32_t()>;
    // The numbers start from the seed. The clock counts from load; the
    // real one is started here.
    explicit SessionLog(std::uint32_t seed, Clock clock = {});

    void event(const GameEvent& event) { records_.add(ReplayRecord::at(event, clock_())); }
    void answer(const ReplayRecord& record) { records_.add(record); }
    float draw() { return random_.next(); }
    // A game starts: its numbers come from a new seed, taken from the old.
    void startNumbersAfresh() { random_ = GameRandom(random_.nextSeed()); }
    std::uint32_t seed() const { return random_.seed(); }
    const RecordStream& records() const { return records_; }
    // Forgets the records: what came before is needed no more.
    void restart() { records_ = RecordStream(); }

private:
    QElapsedTimer elapsed_;
    Clock clock_;
    RecordStream records_;
    GameRandom random_;
};
