// The span of a game: tells, after each event, whether a game has just
// begun or ended. A game is in play while intGameState is 0. Game over runs
// inside one event and returns to the attract display with the wave set
// back to 1, so the span keeps the last wave seen in play as the game's
// wave.
#pragma once

#include "shell/frmVorlane.h"

class GameSpan {
public:
    enum class Change { None, Began, Ended };

    Change after(const frmVorlane& form) {
        const bool playing = form.intGameState == 0;
        if (playing) wave_ = form.intWave;
        if (playing == playing_) return Change::None;
        playing_ = playing;
        return playing ? Change::Began : Change::Ended;
    }
    // The game was cut off by a new start, Exit or the window closing.
    void stop() { playing_ = false; }

    bool playing() const { return playing_; }
    int wave() const { return wave_; }

private:
    bool playing_ = false;
    int wave_ = 0;
};
