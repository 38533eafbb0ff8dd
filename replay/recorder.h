// The recorder behind the window's door: each event is logged and handed
// to the game, and the game's span is followed as it begins and ends. A
// game ends at game over, at the next Start, at Exit or when the window
// closes; then the session up to that moment, with the game's start,
// score, wave and the play area's fingerprint, goes to the sink that keeps
// replays.
#pragma once

#include <QImage>

#include "replay/format.h"
#include "replay/gamespan.h"
#include "replay/sessionlog.h"
#include "shell/events.h"

class frmVorlane;

// A game as the recorder hands it over: the log still encoded, and the
// play area at the end, fingerprinted by whoever writes the file, off the
// window's thread.
struct SavedGame {
    ReplayHeader header;
    ReplayEnd end;
    RecordStream records;
    QImage surface;
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
    std::uint32_t start_ = 0;
};
