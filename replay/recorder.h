// The recorder behind the window's door: each event is logged and handed
// to the game, and the game's span is followed as it begins and ends. At
// Start the game's whole state is kept and the log begins again, and while
// no game is in play nothing is logged for long, so a recording holds one
// game and never grows with the attract display. A game ends at game over,
// at the next Start, at Exit or when the window closes; then its state at
// Start, its events and answers, its score, wave and the play area's
// fingerprint go to the sink that keeps replays.
#pragma once


#include "replay/format.h"
#include "replay/gamespan.h"
#include "replay/sessionlog.h"
#include "shell/events.h"

class frmVorlane;

// A game as the recorder hands it over: the log still encoded, its state
// at Start as it was taken, and what it holds at the end, packed and
// fingerprinted by whoever writes the file, off the window's thread.
struct SavedGame {
    ReplayHeader header;
    ReplayStart start;
    ReplayEnd end;
    RecordStream records;
    QByteArray endState;  // saveGameStateWithoutText() at the end
};
QByteArray encodeReplay(SavedGame game);

// Where finished games go.
struct ReplaySink {
    virtual ~ReplaySink() = default;
    virtual void keep(SavedGame game) = 0;
    // Returns once every game handed over is kept: the program is ending.
    virtual void flush() = 0;
};

class SessionRecorder {
public:
    SessionRecorder(frmVorlane& form, ReplayHeader header, SessionLog& log, ReplaySink& sink);

    void deliver(const GameEvent& event);
    // The window has closed: a game in play is kept.
    void finish();

private:
    bool isItem(const GameEvent& event, const MenuItem& item) const;
    void keepGame();

    frmVorlane& form_;
    ReplayHeader header_;
    SessionLog& log_;
    ReplaySink& sink_;
    GameSpan span_;
    ReplayStart start_;
    std::int64_t startedAt_ = 0;  // ms since 1970, UTC
};
