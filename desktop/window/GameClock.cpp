// The game's timers on one wake-up: their due times, the longest each may
// wait, and the one precise QTimer set to the earliest of those.
#include "desktop/window/GameClock.h"

#include <algorithm>

#include "shell/controls.h"

namespace {

// How long a tick other than the main one may wait for a wake-up: one tick
// at the game's default pace.
constexpr std::chrono::milliseconds SharedWait{25};

}  // namespace

GameClock::GameClock(Tick tick, QObject* parent) : QObject(parent), tick_(std::move(tick)) {
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);
    connect(&wake_, &QTimer::timeout, this, [this] { advance(Clock::now()); });
}

void GameClock::follow(Timer& timer, int number, bool mainTick) {
    const std::size_t index = timers_.size();
    timers_.push_back({&timer, number, mainTick, false, {}, {}});
    timer.onChange([this, index] {
        restart(timers_[index], Clock::now());
        schedule();
    });
    restart(timers_.back(), Clock::now());
    schedule();
}

void GameClock::forget() {
    for (Followed& followed : timers_) followed.timer->onChange({});
    timers_.clear();
    wake_.stop();
}

void GameClock::restart(Followed& followed, Clock::time_point now) {
    const Timer& timer = *followed.timer;
    followed.running = timer.enabled() && timer.interval() > 0;
    followed.interval = std::chrono::milliseconds(timer.interval());
    followed.due = now + followed.interval;
}

GameClock::Clock::duration GameClock::patience(const Followed& followed) const {
    if (followed.mainTick) return Clock::duration::zero();
    return std::min<Clock::duration>(SharedWait, followed.interval - std::chrono::milliseconds(1));
}

GameClock::Clock::time_point GameClock::nextWake() const {
    auto wake = Clock::time_point::max();
    for (const Followed& followed : timers_)
        if (followed.running) wake = std::min(wake, followed.due + patience(followed));
    return wake;
}

// The next wake-up is set before any tick goes out: a tick may run a
// blocking pause of the game, whose own event loop must go on waking. A
// tick sent meanwhile moves its timer on, so this loop finds it done.
void GameClock::advance(Clock::time_point now) {
    schedule();
    for (;;) {
        Followed* next = nullptr;
        for (Followed& followed : timers_)
            if (followed.running && followed.due <= now && (!next || followed.due < next->due)) next = &followed;
        if (!next) break;
        next->due += next->interval;
        if (next->due <= now) next->due = now + next->interval;
        schedule();
        tick_(next->number);
    }
}

void GameClock::schedule() {
    const Clock::time_point wake = nextWake();
    if (wake == Clock::time_point::max()) {
        wake_.stop();
        return;
    }
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(wake - Clock::now());
    wake_.start(static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, wait.count())));
}
