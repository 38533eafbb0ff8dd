// The game's timers on few wake-ups: the main tick's own precise QTimer,
// and one more for the latest moment the other timers may wait until.
#include "desktop/window/GameClock.h"

#include <algorithm>

#include "shell/controls.h"

namespace {

// How long a tick other than the main one may wait for a wake-up: one tick
// at the game's default pace.
constexpr std::chrono::milliseconds SharedWait{25};

}  // namespace

// The two QTimers are the clock's children, where a look at the window's
// timers finds them.
GameClock::GameClock(Tick tick, QObject* parent)
    : QObject(parent), tick_(std::move(tick)), mainWake_(this), otherWake_(this) {
    mainWake_.setTimerType(Qt::PreciseTimer);
    connect(&mainWake_, &QTimer::timeout, this, [this] { wake(Clock::now(), true); });
    otherWake_.setSingleShot(true);
    otherWake_.setTimerType(Qt::PreciseTimer);
    connect(&otherWake_, &QTimer::timeout, this, [this] { wake(Clock::now(), false); });
}

void GameClock::followMainTick(Timer& timer, int number) {
    mainTimer_ = &timer;
    mainNumber_ = number;
    auto follow = [this] {
        mainWake_.stop();
        if (mainTimer_->enabled() && mainTimer_->interval() > 0) mainWake_.start(mainTimer_->interval());
    };
    timer.onChange(follow);
    follow();
}

void GameClock::follow(Timer& timer, int number) {
    const std::size_t index = others_.size();
    others_.push_back({&timer, number, false, {}, {}});
    timer.onChange([this, index] {
        restart(others_[index], Clock::now());
        schedule();
    });
    restart(others_.back(), Clock::now());
    schedule();
}

void GameClock::forget() {
    if (mainTimer_) mainTimer_->onChange({});
    for (Followed& followed : others_) followed.timer->onChange({});
    mainTimer_ = nullptr;
    others_.clear();
    mainWake_.stop();
    otherWake_.stop();
}

void GameClock::restart(Followed& followed, Clock::time_point now) {
    const Timer& timer = *followed.timer;
    followed.running = timer.enabled() && timer.interval() > 0;
    followed.interval = std::chrono::milliseconds(timer.interval());
    followed.due = now + followed.interval;
}

GameClock::Clock::time_point GameClock::latestWake() const {
    auto latest = Clock::time_point::max();
    for (const Followed& followed : others_) {
        if (!followed.running) continue;
        const Clock::duration patience = std::min<Clock::duration>(SharedWait, followed.interval - std::chrono::milliseconds(1));
        latest = std::min(latest, followed.due + patience);
    }
    return latest;
}

// The next wake-up is set before any tick goes out: a tick may run a
// blocking pause of the game, whose own event loop must go on waking. A
// tick sent meanwhile moves its timer on, so this loop finds it done.
void GameClock::wake(Clock::time_point now, bool mainTick) {
    for (;;) {
        Followed* next = nullptr;
        for (Followed& followed : others_)
            if (followed.running && followed.due <= now && (!next || followed.due < next->due)) next = &followed;
        if (!next) break;
        next->due += next->interval;
        if (next->due <= now) next->due = now + next->interval;
        schedule();
        tick_(next->number);
    }
    schedule();
    if (mainTick) tick_(mainNumber_);
}

void GameClock::schedule() {
    const Clock::time_point latest = latestWake();
    if (latest == Clock::time_point::max()) {
        otherWake_.stop();
        return;
    }
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(latest - Clock::now());
    otherWake_.start(static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, wait.count())));
}
