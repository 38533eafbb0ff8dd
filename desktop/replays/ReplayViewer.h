// Watching a replay in the window: what came before the game's start runs
// at once and quietly, then each event is delivered when its recorded time
// comes, measured from the game's start, and the window shows what it
// changed. Pauses inside the game (wave start, game over) take their real
// time; the events due meanwhile follow at once. The player may pause the
// recording's pace or play it four times as fast; at its end, or where the
// run leaves the recorded game, the viewer says so once.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

#include "replay/playback.h"

class ReplayViewer : public QObject {
public:
    static constexpr int Fast = 4;
    static constexpr qint64 LongestWait = 60 * 1000;

    ReplayViewer(Playback& playback, std::uint32_t startRecord, std::function<void()> show);

    // Load and the part before the game, quietly. False when the game's
    // state at its start is damaged: there is nothing to watch.
    bool prepare();
    // The game at its recorded pace.
    void play();
    // While paused no event is due and the recorded pace waits.
    void setPaused(bool paused);
    // Four times the recorded pace, or back to it.
    void setFast(bool fast);
    bool fast() const { return speed_ == Fast; }
    bool ended() const { return ended_; }
    // Told once, when the last event has been played or the run has left
    // the recording (the playback's fault says where).
    void onEnd(std::function<void()> ended) { endedThen_ = std::move(ended); }

private:
    void due();
    // Recorded time played since the game's start.
    qint64 played() const { return played_ + (paused_ ? 0 : (clock_.elapsed() - since_) * speed_); }
    // The pace changes from now on.
    void rebase();

    Playback& playback_;
    std::uint32_t startRecord_;
    std::function<void()> show_;
    std::function<void()> endedThen_;
    QElapsedTimer clock_;
    std::uint32_t origin_ = 0;
    QTimer timer_;
    bool paused_ = false;
    bool ended_ = false;
    bool stepping_ = false;  // a pause inside the game is under way
    int speed_ = 1;
    qint64 played_ = 0;
    qint64 since_ = 0;
};
