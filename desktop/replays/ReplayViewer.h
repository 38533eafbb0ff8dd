// Watching a replay in the window: what came before the game's start runs
// at once and quietly, then each event is delivered when its recorded time
// comes, measured from the game's start, and the window shows what it
// changed. Pauses inside the game (wave start, game over) take their real
// time; the events due meanwhile follow at once.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

#include "replay/playback.h"

class ReplayViewer : public QObject {
public:
    ReplayViewer(Playback& playback, std::uint32_t startRecord, std::function<void()> show);

    // Load and the part before the game, quietly.
    void prepare();
    // The game at its recorded pace.
    void play();
    // While paused no event is due and the recorded pace waits.
    void setPaused(bool paused);

private:
    void due();
    // Time since the game's start, less the time spent paused.
    qint64 elapsed() const { return clock_.elapsed() - pausedFor_; }

    Playback& playback_;
    std::uint32_t startRecord_;
    std::function<void()> show_;
    QElapsedTimer clock_;
    std::uint32_t origin_ = 0;
    QTimer timer_;
    bool paused_ = false;
    qint64 pausedAt_ = 0;
    qint64 pausedFor_ = 0;
};
