// The replay's clock in the window.
#include "desktop/replays/ReplayViewer.h"

#include <algorithm>

ReplayViewer::ReplayViewer(Playback& playback, std::uint32_t startRecord, std::function<void()> show)
    : playback_(playback), startRecord_(startRecord), show_(std::move(show)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &ReplayViewer::due);
}

bool ReplayViewer::prepare() {
    playback_.setQuiet(true);
    if (!playback_.load()) return false;
    playback_.runTo(startRecord_);
    playback_.setQuiet(false);
    show_();
    return true;
}

void ReplayViewer::play() {
    origin_ = playback_.atEnd() ? 0 : playback_.nextTime();
    clock_.start();
    due();
}

void ReplayViewer::rebase() {
    played_ = played();
    since_ = clock_.elapsed();
}

void ReplayViewer::setPaused(bool paused) {
    if (paused == paused_ || !clock_.isValid()) return;
    rebase();
    paused_ = paused;
    if (paused)
        timer_.stop();
    else
        due();
}

void ReplayViewer::setFast(bool fast) {
    if (fast == this->fast() || !clock_.isValid()) return;
    rebase();
    speed_ = fast ? Fast : 1;
    if (!paused_) due();
}

void ReplayViewer::due() {
    // A key may change the pace during one of the game's own pauses: the
    // events go on from where they are once it is over.
    if (paused_ || ended_ || stepping_) return;
    while (!playback_.atEnd() && playback_.nextTime() - origin_ <= played()) {
        stepping_ = true;
        playback_.step();
        stepping_ = false;
        show_();
    }
    if (playback_.atEnd()) {
        ended_ = true;
        if (endedThen_) endedThen_();
        return;
    }
    // The next event's time never lies before the last one's, and the
    // timer is never asked to wait less than nothing. A gap of weeks in a
    // stranger's file is waited a minute at a time.
    const qint64 wait = (playback_.nextTime() - origin_ - played() + speed_ - 1) / speed_;
    timer_.start(static_cast<int>(std::clamp<qint64>(wait, 0, LongestWait)));
}
