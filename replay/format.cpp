// Writing and reading the .vorlane-replay file: the frame with its magic,
// version, length and checksum, and the body with its records.
#include "replay/format.h"

#include <cstring>

#include "disk/regularfile.h"
#include "replay/bytes.h"

namespace {

const QByteArray Magic("VRLNRPL\x1a", 8);
// The magic, the version and the body's length.
constexpr qsizetype FrameHead = 8 + 2 + 4;

QByteArray encodeBody(const ReplayHeader& header, const ReplayStart& start, const ReplayEnd& end,
                      const RecordStream& records) {
    ByteWriter out;
    out.blob(header.gameVersion.toUtf8());
    out.blob(header.picturesDigest);
    out.signedVarint(header.recordedAt);
    out.varint(header.seed);
    if (start.state.isEmpty()) {
        out.varint(end.startRecord);
    } else {
        out.varint(start.draws);
        out.blob(start.state);
    }
    std::uint64_t score = 0;
    std::memcpy(&score, &end.score, sizeof score);
    out.fixed(score, 8);
    out.signedVarint(end.wave);
    out.blob(end.digest);
    out.varint(records.count());
    out.raw(records.bytes());
    return out.bytes();
}

ReplayReading damaged(const QString& what) { return {std::nullopt, QStringLiteral("damaged replay (%1)").arg(what)}; }

ReplayReading decodeBody(const QByteArray& body, std::uint16_t version) {
    ByteReader in(body);
    Replay replay;
    replay.header.gameVersion = QString::fromUtf8(in.blob());
    replay.header.picturesDigest = in.blob();
    replay.header.recordedAt = in.signedVarint();
    replay.header.seed = static_cast<std::uint32_t>(in.varint());
    if (version == FirstReplayFormat) {
        replay.end.startRecord = static_cast<std::uint32_t>(in.varint());
    } else {
        replay.start.draws = in.varint();
        if (in.ok() && replay.start.draws > MostDrawsBeforeStart)
            return damaged(QStringLiteral("more random numbers before the start than a day of play draws"));
        replay.start.state = in.blob();
        if (in.ok() && replay.start.state.isEmpty()) return damaged(QStringLiteral("no game state"));
    }
    const std::uint64_t score = in.fixed(8);
    std::memcpy(&replay.end.score, &score, sizeof score);
    replay.end.wave = in.signedVarint();
    replay.end.digest = in.blob();
    replay.end.digestOfPixels = version < ReplayFormatVersion;
    const std::uint64_t count = in.varint();
    // Every record takes at least one byte.
    if (!in.ok() || count > static_cast<std::uint64_t>(in.left())) return damaged(QStringLiteral("header"));
    // Walked once, each record read and dropped: only the bytes are kept,
    // in a copy of their own, as the body lies in the file's.
    QByteArray rest = in.raw(in.left());
    rest.detach();
    const RecordStream records(rest, 0, 0);
    RecordReader walk(records);
    ReplayRecord record;
    bool started = false;
    for (std::uint64_t i = 0; i < count; ++i) {
        if (!walk.next(record)) return damaged(QStringLiteral("records"));
        if (i == replay.end.startRecord) started = record.kind == ReplayRecord::Kind::Event;
    }
    if (!walk.atEnd()) return damaged(QStringLiteral("bytes after the last record"));
    if (!started) return damaged(QStringLiteral("no game start"));
    replay.records = RecordStream(records.bytes(), static_cast<std::uint32_t>(count), walk.lastTime());
    return {std::move(replay), QString()};
}

ReplayReading tooLarge() {
    return {std::nullopt, QStringLiteral("larger than any replay (%1 MiB)").arg(LargestReplayFile / (1024 * 1024))};
}

}  // namespace

QByteArray encodeReplay(const Replay& replay) {
    return encodeReplay(replay.header, replay.start, replay.end, replay.records);
}

QByteArray encodeReplay(const ReplayHeader& header, const ReplayStart& start, const ReplayEnd& end,
                        const RecordStream& records) {
    const QByteArray body = encodeBody(header, start, end, records);
    ByteWriter out;
    out.raw(Magic);
    const std::uint16_t version = start.state.isEmpty() ? FirstReplayFormat
                                  : end.digestOfPixels  ? StateReplayFormat
                                                        : ReplayFormatVersion;
    out.fixed(version, 2);
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
    if (version < FirstReplayFormat || version > ReplayFormatVersion)
        return {std::nullopt, QStringLiteral("replay of another format version (%1; this program reads %2 to %3)")
                                  .arg(version)
                                  .arg(FirstReplayFormat)
                                  .arg(ReplayFormatVersion)};
    if (static_cast<std::int64_t>(length) + 4 > in.left()) return {std::nullopt, QStringLiteral("replay cut short")};
    if (static_cast<std::int64_t>(length) + 4 < in.left()) return damaged(QStringLiteral("bytes after the end"));
    // The body is read in place, not copied.
    const QByteArray body = QByteArray::fromRawData(bytes.constData() + FrameHead, static_cast<qsizetype>(length));
    in.raw(static_cast<std::int64_t>(length));
    if (static_cast<std::uint32_t>(in.fixed(4)) != crc32(body)) return damaged(QStringLiteral("checksum"));
    return decodeBody(body, version);
}

ReplayReading readReplayFile(const QString& path, QByteArray* bytes) {
    const std::optional<FileStamp> stamp = regularFileStamp(path);
    if (stamp && stamp->size > LargestReplayFile)
        return tooLarge();
    const RegularFile file = readRegularFile(path, LargestReplayFile);
    ReplayReading reading;
    switch (file.state) {
    case RegularFile::State::Missing: reading.problem = QStringLiteral("no such file"); return reading;
    case RegularFile::State::Unusable: reading.problem = QStringLiteral("not a file that can be read"); return reading;
    case RegularFile::State::Read: break;
    }
    // It grew between the look and the reading.
    if (!file.whole) return tooLarge();
    reading = decodeReplay(file.bytes);
    if (reading.replay && bytes) *bytes = file.bytes;
    return reading;
}
