// Fingerprints that tell whether a replay plays on the same ground: the
// six pictures beside the program, which the game draws and hits against,
// and what the game holds at the end of a game.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>

#include "replay/replay.h"

QByteArray picturesDigest(const QString& programDirectory);
// Of the play area's pixels: the end of replays of versions 1 and 2.
QByteArray surfaceDigest(const QImage& surface);
// Of saveGameStateWithoutText(): the end of a replay now.
QByteArray stateDigest(const QByteArray& state);

// The header of a session with this seed; each game stamps its own date.
ReplayHeader sessionHeader(std::uint32_t seed, const QString& programDirectory);
