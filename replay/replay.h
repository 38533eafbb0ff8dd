// A recorded session as the program holds it: where the random numbers
// started, every event that reached the game with its time, every answer
// the world outside gave the game, and how the saved game ended. The
// session runs from load; the game it was saved for begins at one of its
// events, and everything before that runs again only to bring the game to
// the same state.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

#include "replay/records.h"

// Raised whenever the file's layout changes: a reader takes only its own.
constexpr std::uint16_t ReplayFormatVersion = 1;

struct ReplayHeader {
    QString gameVersion;
    QByteArray picturesDigest;          // SHA-256 of the six pictures
    std::int64_t recordedAt = 0;        // ms since 1970, UTC
    std::uint32_t seed = 0;             // of the random numbers
};

// How the saved game ended.
struct ReplayEnd {
    std::uint32_t startRecord = 0;      // the event that began the game
    double score = 0;
    int wave = 0;
    QByteArray surfaceDigest;           // SHA-256 of the play area's pixels
};

struct Replay {
    ReplayHeader header;
    ReplayEnd end;
    RecordStream records;
};
