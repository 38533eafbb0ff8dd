// The records of a recorded session, kept as the replay file holds them: a
// record is one tag byte and its fields, numbers as variable-length
// integers. Tags 0x10 + n are timer n's tick and 0x21..0x24 the key-down,
// key-up, menu command and double-click; every event ends with the
// milliseconds since the event before. Tags 0x30..0x34 are the answers:
// no "HS", the "HS" bytes, the number of sound devices, the typed name
// and an About box closed. A tick takes two bytes. The records are read
// one at a time as they are played, so a replay in memory takes no more
// room than its file.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

#include "replay/bytes.h"
#include "shell/events.h"

struct ReplayRecord {
    enum class Kind : std::uint8_t { Event, HighScoreRead, DeviceCount, InputText, MessageClosed };

    Kind kind = Kind::Event;
    GameEvent event;                    // Event
    std::uint32_t milliseconds = 0;     // Event: time since load
    std::optional<QByteArray> bytes;    // HighScoreRead: "HS" as read, or no file
    int count = 0;                      // DeviceCount
    QString text;                       // InputText: what the player typed

    static ReplayRecord at(const GameEvent& event, std::uint32_t milliseconds) {
        ReplayRecord record;
        record.event = event;
        record.milliseconds = milliseconds;
        return record;
    }
};

// Records written as they come. A copy shares the bytes until one of them
// grows, so a recording hands its log to another thread for nothing.
class RecordStream {
public:
    RecordStream() = default;
    // Records already written, as a file holds them.
    RecordStream(const QByteArray& bytes, std::uint32_t count, std::uint32_t lastTime);

    void add(const ReplayRecord& record);
    std::uint32_t count() const { return count_; }
    const QByteArray& bytes() const { return out_.bytes(); }

private:
    ByteWriter out_;
    std::uint32_t count_ = 0;
    std::uint32_t lastTime_ = 0;
};

// Reads a stream's records in order. A copy reads on from the same place
// by itself.
class RecordReader {
public:
    explicit RecordReader(const RecordStream& records) : in_(records.bytes()) {}

    bool atEnd() const { return in_.left() == 0; }
    // The next record; false when none is left or it is damaged.
    bool next(ReplayRecord& record);
    // The time of the last event read, ms since load.
    std::uint32_t lastTime() const { return lastTime_; }

private:
    ByteReader in_;
    std::uint32_t lastTime_ = 0;
};

// Every record, for looking through a whole recording at once.
std::vector<ReplayRecord> everyRecord(const RecordStream& records);
