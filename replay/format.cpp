// Writing and reading the .vorlane-replay file: the frame with its magic,
// version, length and checksum, and the body with its records.
#include "replay/format.h"

#include <cstring>

#include "disk/regularfile.h"
#include "replay/bytes.h"

namespace {

const QByteArray Magic("VRLNRPL\x1a", 8);

enum Tag : std::uint8_t {
    TickOfTimer = 0x10,  // + the timer's number, 0..15
    OtherTick = 0x20,
    KeyDown = 0x21,
    KeyUp = 0x22,
    Menu = 0x23,
    DoubleClick = 0x24,
    NoHighScore = 0x30,
    HighScoreBytes = 0x31,
    DeviceCount = 0x32,
    InputText = 0x33,
    MessageClosed = 0x34,
};

void writeEvent(ByteWriter& out, const GameEvent& event) {
    switch (event.kind) {
    case GameEvent::Kind::Tick:
        if (event.timer >= 0 && event.timer < 16) {
            out.byte(static_cast<std::uint8_t>(TickOfTimer + event.timer));
        } else {
            out.byte(OtherTick);
            out.signedVarint(event.timer);
        }
        return;
    case GameEvent::Kind::KeyDown:
    case GameEvent::Kind::KeyUp:
        out.byte(event.kind == GameEvent::Kind::KeyDown ? KeyDown : KeyUp);
        out.signedVarint(event.keyCode);
        out.signedVarint(event.shift);
        return;
    case GameEvent::Kind::Menu:
        out.byte(Menu);
        out.signedVarint(event.menu);
        out.signedVarint(event.item);
        return;
    case GameEvent::Kind::DoubleClick: out.byte(DoubleClick); return;
    }
}

void writeRecord(ByteWriter& out, const ReplayRecord& record, std::uint32_t& lastTime) {
    switch (record.kind) {
    case ReplayRecord::Kind::Event:
        writeEvent(out, record.event);
        out.varint(record.milliseconds - lastTime);
        lastTime = record.milliseconds;
        return;
    case ReplayRecord::Kind::HighScoreRead:
        if (!record.bytes) {
            out.byte(NoHighScore);
        } else {
            out.byte(HighScoreBytes);
            out.blob(*record.bytes);
        }
        return;
    case ReplayRecord::Kind::DeviceCount:
        out.byte(DeviceCount);
        out.signedVarint(record.count);
        return;
    case ReplayRecord::Kind::InputText:
        out.byte(InputText);
        out.blob(record.text.toUtf8());
        return;
    case ReplayRecord::Kind::MessageClosed: out.byte(MessageClosed); return;
    }
}

std::int16_t smallNumber(ByteReader& in) {
    const std::int64_t value = in.signedVarint();
    return static_cast<std::int16_t>(value);
}

// One record; false when the tag is unknown or a field runs past the end.
bool readRecord(ByteReader& in, ReplayRecord& record, std::uint32_t& lastTime) {
    const std::uint8_t tag = in.byte();
    record = ReplayRecord();
    if (tag >= TickOfTimer && tag < TickOfTimer + 16) {
        record.event = GameEvent::tick(tag - TickOfTimer);
    } else if (tag == OtherTick) {
        record.event = GameEvent::tick(smallNumber(in));
    } else if (tag == KeyDown || tag == KeyUp || tag == Menu) {
        const std::int16_t first = smallNumber(in);
        const std::int16_t second = smallNumber(in);
        record.event = tag == KeyDown ? GameEvent::keyDown(first, second)
                       : tag == KeyUp ? GameEvent::keyUp(first, second)
                                      : GameEvent::menuCommand(first, second);
    } else if (tag == DoubleClick) {
        record.event = GameEvent::doubleClick();
    } else if (tag == NoHighScore) {
        record.kind = ReplayRecord::Kind::HighScoreRead;
    } else if (tag == HighScoreBytes) {
        record.kind = ReplayRecord::Kind::HighScoreRead;
        record.bytes = in.blob();
    } else if (tag == DeviceCount) {
        record.kind = ReplayRecord::Kind::DeviceCount;
        record.count = static_cast<int>(in.signedVarint());
    } else if (tag == InputText) {
        record.kind = ReplayRecord::Kind::InputText;
        record.text = QString::fromUtf8(in.blob());
    } else if (tag == MessageClosed) {
        record.kind = ReplayRecord::Kind::MessageClosed;
    } else {
        return false;
    }
    if (record.kind == ReplayRecord::Kind::Event) {
        const std::uint64_t step = in.varint();
        if (step > 0xFFFFFFFFu - lastTime) return false;
        lastTime = static_cast<std::uint32_t>(lastTime + step);
        record.milliseconds = lastTime;
    }
    return in.ok();
}

QByteArray encodeBody(const ReplayHeader& header, const ReplayEnd& end, const RecordStream& records) {
    ByteWriter out;
    out.blob(header.gameVersion.toUtf8());
    out.blob(header.picturesDigest);
    out.signedVarint(header.recordedAt);
    out.varint(header.seed);
    out.varint(end.startRecord);
    std::uint64_t score = 0;
    std::memcpy(&score, &end.score, sizeof score);
    out.fixed(score, 8);
    out.signedVarint(end.wave);
    out.blob(end.surfaceDigest);
    out.varint(records.count());
    out.raw(records.bytes());
    return out.bytes();
}

ReplayReading damaged(const QString& what) { return {std::nullopt, QStringLiteral("damaged replay (%1)").arg(what)}; }

ReplayReading decodeBody(const QByteArray& body) {
    ByteReader in(body);
    Replay replay;
    replay.header.gameVersion = QString::fromUtf8(in.blob());
    replay.header.picturesDigest = in.blob();
    replay.header.recordedAt = in.signedVarint();
    replay.header.seed = static_cast<std::uint32_t>(in.varint());
    replay.end.startRecord = static_cast<std::uint32_t>(in.varint());
    const std::uint64_t score = in.fixed(8);
    std::memcpy(&replay.end.score, &score, sizeof score);
    replay.end.wave = static_cast<int>(in.signedVarint());
    replay.end.surfaceDigest = in.blob();
    const std::uint64_t count = in.varint();
    // Every record takes at least one byte.
    if (!in.ok() || count > static_cast<std::uint64_t>(in.left())) return damaged(QStringLiteral("header"));
    replay.records.resize(count);
    std::uint32_t lastTime = 0;
    for (ReplayRecord& record : replay.records)
        if (!readRecord(in, record, lastTime)) return damaged(QStringLiteral("records"));
    if (in.left() != 0) return damaged(QStringLiteral("bytes after the last record"));
    if (replay.end.startRecord >= replay.records.size() ||
        replay.records[replay.end.startRecord].kind != ReplayRecord::Kind::Event)
        return damaged(QStringLiteral("no game start"));
    return {std::move(replay), QString()};
}

}  // namespace

void RecordStream::add(const ReplayRecord& record) {
    writeRecord(out_, record, lastTime_);
    ++count_;
}

QByteArray encodeReplay(const Replay& replay) {
    RecordStream records;
    for (const ReplayRecord& record : replay.records) records.add(record);
    return encodeReplay(replay.header, replay.end, records);
}

QByteArray encodeReplay(const ReplayHeader& header, const ReplayEnd& end, const RecordStream& records) {
    const QByteArray body = encodeBody(header, end, records);
    ByteWriter out;
    out.raw(Magic);
    out.fixed(ReplayFormatVersion, 2);
    out.fixed(static_cast<std::uint64_t>(body.size()), 4);
    out.raw(body);
    out.fixed(crc32(body), 4);
    return out.bytes();
}

ReplayReading decodeReplay(const QByteArray& bytes) {
    if (!bytes.startsWith(Magic)) return {std::nullopt, QStringLiteral("not a replay")};
    ByteReader in(bytes);
    in.raw(Magic.size());
    const auto version = static_cast<std::uint16_t>(in.fixed(2));
    const std::uint64_t length = in.fixed(4);
    if (!in.ok()) return {std::nullopt, QStringLiteral("replay cut short")};
    if (version != ReplayFormatVersion)
        return {std::nullopt, QStringLiteral("replay of another format version (%1; this program reads %2)")
                                  .arg(version)
                                  .arg(ReplayFormatVersion)};
    if (static_cast<std::int64_t>(length) + 4 > in.left()) return {std::nullopt, QStringLiteral("replay cut short")};
    if (static_cast<std::int64_t>(length) + 4 < in.left()) return damaged(QStringLiteral("bytes after the end"));
    const QByteArray body = in.raw(static_cast<std::int64_t>(length));
    if (static_cast<std::uint32_t>(in.fixed(4)) != crc32(body)) return damaged(QStringLiteral("checksum"));
    return decodeBody(body);
}

ReplayReading readReplayFile(const QString& path) {
    const RegularFile file = readRegularFile(path, LargestReplayFile);
    ReplayReading reading;
    switch (file.state) {
    case RegularFile::State::Missing: reading.problem = QStringLiteral("no such file"); return reading;
    case RegularFile::State::Unusable: reading.problem = QStringLiteral("not a file that can be read"); return reading;
    case RegularFile::State::Read: break;
    }
    if (!file.whole) {
        reading.problem = QStringLiteral("larger than any replay (%1 MiB)").arg(LargestReplayFile / (1024 * 1024));
        return reading;
    }
    return decodeReplay(file.bytes);
}
