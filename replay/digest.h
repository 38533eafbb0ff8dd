// Fingerprints that tell whether a replay plays on the same ground: the
// six pictures beside the program, which the game draws and hits against,
// and the play area's pixels at the end of a game.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>

#include "replay/replay.h"

QByteArray picturesDigest(const QString& programDirectory);
QByteArray surfaceDigest(const QImage& surface);

// The header of a session with this seed; each game stamps its own date.
ReplayHeader sessionHeader(std::uint32_t seed, const QString& programDirectory);
