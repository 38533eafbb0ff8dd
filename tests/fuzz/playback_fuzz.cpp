// Plays whatever replay it is given, as --verify and the viewer would:
// the file is read, the game's state at Start put back and up to a
// thousand of its events played with the pictures beside the program. It
// must never crash, read or write past an array, or hang. The mutator
// keeps the frame, the checksum and the packing whole and changes what is
// inside them, the state's own bytes, the records or the header's
// numbers, so the playback behind the reader is what gets tried.
#include <QGuiApplication>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>

#include "replay/format.h"
#include "replay/gamestate.h"
#include "replay/playback.h"

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

namespace {

// More events would only make each run longer: the game is the same all
// along. A count of random numbers past this takes long to count through
// in an instrumented build; the reader's own bound is far larger.
constexpr std::size_t EventsPlayed = 1000;
constexpr std::uint64_t DrawsCounted = 1 << 20;

QByteArray mutated(QByteArray bytes, std::size_t room) {
    const std::size_t size = static_cast<std::size_t>(bytes.size());
    bytes.resize(static_cast<qsizetype>(size + room));
    const std::size_t now = LLVMFuzzerMutate(reinterpret_cast<uint8_t*>(bytes.data()), size, size + room);
    bytes.resize(static_cast<qsizetype>(now));
    return bytes;
}

// The records that still read, written again as a whole stream.
RecordStream readable(const QByteArray& bytes) {
    RecordStream stream;
    for (const ReplayRecord& record : everyRecord(RecordStream(bytes, 0, 0))) stream.add(record);
    return stream;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "playback_fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int seed) {
    ReplayReading reading = decodeReplay(QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                                                 static_cast<qsizetype>(size)));
    if (!reading.replay) return LLVMFuzzerMutate(data, size, maxSize);
    Replay& replay = *reading.replay;
    std::minstd_rand pick(seed);
    switch (pick() % 4) {
    case 0:
        if (const std::optional<QByteArray> state = unpackGameState(replay.start.state))
            replay.start.state = qCompress(mutated(*state, 64), 1);  // as packGameState() packs, only faster
        break;
    case 1: replay.records = readable(mutated(replay.records.bytes(), 64)); break;
    case 2: replay.start.draws = pick() % 4096; break;
    default: replay.end.wave = static_cast<std::int64_t>(pick()) - 1000; break;
    }
    const QByteArray written = encodeReplay(replay);
    if (static_cast<std::size_t>(written.size()) > maxSize) return LLVMFuzzerMutate(data, size, maxSize);
    std::memcpy(data, written.constData(), static_cast<std::size_t>(written.size()));
    return static_cast<std::size_t>(written.size());
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ReplayReading reading =
        decodeReplay(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!reading.replay || reading.replay->start.draws > DrawsCounted) return 0;
    const Replay& replay = *reading.replay;
    Playback playback(replay, QStringLiteral(VORLANE_BIN_DIR));
    if (!playback.load()) return 0;
    std::uint32_t before = 0;
    for (std::size_t played = 0; played < EventsPlayed && !playback.atEnd(); ++played) {
        if (playback.nextTime() < before) std::abort();
        before = playback.nextTime();
        playback.step();
    }
    return 0;
}
