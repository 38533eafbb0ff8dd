// The replay's clock in the window.
#include "desktop/replays/ReplayViewer.h"

#include <cstdio>

ReplayViewer::ReplayViewer(Playback& playback, std::uint32_t startRecord, std::function<void()> show)
    : playback_(playback), startRecord_(startRecord), show_(std::move(show)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &ReplayViewer::due);
}

void ReplayViewer::prepare() {
    playback_.setQuiet(true);
    playback_.load();
    playback_.runTo(startRecord_);
    playback_.setQuiet(false);
    show_();
}

void ReplayViewer::play() {
    if (playback_.atEnd()) return;
    origin_ = playback_.nextTime();
    clock_.start();
    due();
}

void ReplayViewer::setPaused(bool paused) {
    if (paused == paused_ || !clock_.isValid()) return;
    paused_ = paused;
    if (paused) {
        timer_.stop();
        pausedAt_ = clock_.elapsed();
    } else {
        pausedFor_ += clock_.elapsed() - pausedAt_;
        due();
    }
}

void ReplayViewer::due() {
    if (paused_) return;
    while (!playback_.atEnd() && playback_.nextTime() - origin_ <= elapsed()) {
        playback_.step();
        show_();
    }
    if (playback_.atEnd()) {
        if (!playback_.fault().isEmpty())
            std::fprintf(stderr, "vorlane: the replay left the recorded game: %s\n", qPrintable(playback_.fault()));
        return;
    }
    timer_.start(static_cast<int>(playback_.nextTime() - origin_ - elapsed()));
}
