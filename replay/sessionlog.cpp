// The session's log with the real clock unless another is given.
#include "replay/sessionlog.h"

SessionLog::SessionLog(std::uint32_t seed, Clock clock) : clock_(std::move(clock)), random_(seed) {
    elapsed_.start();
    if (!clock_) clock_ = [this] { return static_cast<std::uint32_t>(elapsed_.elapsed()); };
}
