// The .vorlane-replay file. All numbers are little-endian.
//
//   8 bytes   magic "VRLNRPL" and 0x1A
//   2 bytes   format version (ReplayFormatVersion)
//   4 bytes   length of the body
//   body      game version, pictures digest, date, seed; the random
//             numbers drawn before the game's Start and the game's state
//             at its Start; final score (a double), wave and the
//             digest of what the game holds at the end; the number of
//             records, then the records from the Start on
//   4 bytes   CRC-32 of the body
//
// A file of version 1 has no draws and no state: its records run from
// load, and the game's start record stands before the score. In files of
// versions 1 and 2 the digest is of the play area's pixels.
//
// The records are laid out in replay/records.h. Nothing the file says is
// trusted: every size and count is checked against the bytes that are
// there, and the records are walked once without keeping them, so memory
// follows the file's size, never what it claims.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

#include "replay/bytes.h"
#include "replay/replay.h"

// A replay with no state at Start plays from load, as the first format
// holds it, and is written in that format.
QByteArray encodeReplay(const ReplayHeader& header, const ReplayStart& start, const ReplayEnd& end,
                        const RecordStream& records);
QByteArray encodeReplay(const Replay& replay);

struct ReplayReading {
    std::optional<Replay> replay;
    QString problem;  // why there is no replay: not one, cut short, damaged, ...
};
ReplayReading decodeReplay(const QByteArray& bytes);

// The largest replay file read: a game of ten hours takes under 6 MiB.
constexpr qint64 LargestReplayFile = 16 * 1024 * 1024;
// Reads a replay file through the careful reader: only a regular file,
// opened without waiting, and none larger than LargestReplayFile, which is
// refused from its size before a byte is read. When the file is a replay,
// its bytes as read are handed over too, if asked for.
ReplayReading readReplayFile(const QString& path, QByteArray* bytes = nullptr);
