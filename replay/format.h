// The .vorlane-replay file. All numbers are little-endian.
//
//   8 bytes   magic "VRLNRPL" and 0x1A
//   2 bytes   format version (ReplayFormatVersion)
//   4 bytes   length of the body
//   body      game version, pictures digest, date, seed; the game's start
//             record, final score (a double), wave and surface digest;
//             the number of records, then the records
//   4 bytes   CRC-32 of the body
//
// A record is one tag byte and its fields, numbers as variable-length
// integers. Tags 0x10 + n are timer n's tick and 0x21..0x24 the key-down,
// key-up, menu command and double-click; every event ends with the
// milliseconds since the event before. Tags 0x30..0x34 are the answers:
// no "HS", the "HS" bytes, the number of sound devices, the typed name
// and an About box closed. A tick takes two bytes.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

#include "replay/bytes.h"
#include "replay/replay.h"

// Records written as they come. A copy shares the bytes until one of them
// grows, so a recording hands its log to another thread for nothing.
class RecordStream {
public:
    void add(const ReplayRecord& record);
    std::uint32_t count() const { return count_; }
    const QByteArray& bytes() const { return out_.bytes(); }

private:
    ByteWriter out_;
    std::uint32_t count_ = 0;
    std::uint32_t lastTime_ = 0;
};

QByteArray encodeReplay(const ReplayHeader& header, const ReplayEnd& end, const RecordStream& records);
QByteArray encodeReplay(const Replay& replay);

struct ReplayReading {
    std::optional<Replay> replay;
    QString problem;  // why there is no replay: not one, cut short, damaged, ...
};
ReplayReading decodeReplay(const QByteArray& bytes);

// The largest replay file read: a game of ten hours takes a few megabytes.
constexpr qint64 LargestReplayFile = 64 * 1024 * 1024;
// Reads a replay file through the careful reader: only a regular file, and
// none larger than LargestReplayFile.
ReplayReading readReplayFile(const QString& path);
