// The game as the desktop program runs it, recorded: the game window sees
// the world through a recording platform and keeps "HS" beside the
// program (or in the player's folder), and every event reaches it through
// the recorder, which hands each finished game to the sink. The desktop
// program and the headless test sessions are wired alike, here.
#pragma once

#include <cstdint>

#include "replay/recorder.h"
#include "replay/recordingplatform.h"
#include "replay/sessionlog.h"
#include "scores/hsfilestore.h"
#include "shell/frmVorlane.h"

class RecordedSession {
public:
    // seed: where the game's random numbers start (the session draws its
    // own, not the outside platform's). The clock stamps each event; the
    // real time since load when unset.
    RecordedSession(Platform& outside, std::uint32_t seed, ReplaySink& sink, SessionLog::Clock clock = {});

    frmVorlane& form() { return form_; }
    // Every event of the session goes in here.
    void deliver(const GameEvent& event) { recorder_.deliver(event); }
    // The session ends: a game in play is kept.
    void finish() { recorder_.finish(); }
    // The program ends at once, inside the game: only what is on its way to
    // the disk is finished. A new high score gets its last try.
    void finishWriting() { scores_.lastTry(); }

private:
    SessionLog log_;
    HighScoreFileStore scores_;
    RecordingPlatform recording_;
    frmVorlane form_;
    SessionRecorder recorder_;
};
