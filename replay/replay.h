// A recorded game as the program holds it: where the random numbers
// started and how many the session had drawn by the game's Start, the
// game's whole state at its Start, every event that reached the game from
// the Start on with its time, every answer the world outside gave the
// game, and how the game ended. A file of the first format holds no state:
// its session runs from load, and the game begins at one of its events,
// everything before that running again only to bring the game to the same
// state.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

#include "replay/records.h"

// Raised whenever the file's layout or meaning changes. Written: the
// current one; read: every one. The second brought the state at Start, the
// third the digest of what the game holds in place of its pixels.
constexpr std::uint16_t ReplayFormatVersion = 3;
constexpr std::uint16_t StateReplayFormat = 2;
constexpr std::uint16_t FirstReplayFormat = 1;

struct ReplayHeader {
    QString gameVersion;
    QByteArray picturesDigest;          // SHA-256 of the six pictures
    std::int64_t recordedAt = 0;        // the game's Start, ms since 1970, UTC
    std::uint32_t seed = 0;             // of the random numbers
};

// Where the game begins. An empty state: the session from load.
struct ReplayStart {
    QByteArray state;                   // saveGameState() at the Start
    // Random numbers drawn from the seed before it: none since the game's
    // numbers start afresh at the Start, but replays of earlier versions
    // of the game count through all the attract display drew.
    std::uint64_t draws = 0;
};
// The most numbers a replay may count through before its Start: about a
// day of the attract display as it begins, and seconds of work to count.
constexpr std::uint64_t MostDrawsBeforeStart = std::uint64_t(1) << 30;

// How the saved game ended.
struct ReplayEnd {
    std::uint32_t startRecord = 0;      // the event that began the game; 0 with a state
    double score = 0;
    std::int64_t wave = 0;
    // SHA-256 of what the game holds, its text left out; in files of
    // versions 1 and 2, of the play area's pixels, text and all.
    QByteArray digest;
    bool digestOfPixels = false;
};

struct Replay {
    ReplayHeader header;
    ReplayStart start;
    ReplayEnd end;
    RecordStream records;
};
