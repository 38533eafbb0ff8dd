// The clock of a playback at the game's own pace.
#include "halloffame/pace.h"

#include <algorithm>

qint64 Pace::reach(qint64 recordedMs) {
    if (origin_ < 0) origin_ = recordedMs;
    const qint64 at = recordedMs - origin_ + late_;
    if (at < clock_) late_ += clock_ - at;
    clock_ = std::max(clock_, at);
    return clock_;
}

void Pace::hold(int milliseconds) {
    pausing(milliseconds);
    clock_ += milliseconds;
}
