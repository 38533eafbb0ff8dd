// Feeds arbitrary bytes to the replay reader, once as a whole
// .vorlane-replay file and once as the body of a file with a correct
// frame and checksum, so the records themselves are tried too. It must
// never crash, never read past the file, and whatever it accepts must
// write back to a file it reads again as the same replay.
#include <QByteArray>

#include <cstdlib>

#include "replay/bytes.h"
#include "replay/format.h"

namespace {

QByteArray framed(const QByteArray& body) {
    ByteWriter out;
    out.raw(QByteArray("VRLNRPL\x1a", 8));
    out.fixed(ReplayFormatVersion, 2);
    out.fixed(static_cast<std::uint64_t>(body.size()), 4);
    out.raw(body);
    out.fixed(crc32(body), 4);
    return out.bytes();
}

void readAndWriteBack(const QByteArray& bytes) {
    const ReplayReading reading = decodeReplay(bytes);
    if (reading.replay.has_value() == !reading.problem.isEmpty()) std::abort();
    if (!reading.replay) return;

    const QByteArray written = encodeReplay(*reading.replay);
    const ReplayReading again = decodeReplay(written);
    if (!again.replay || encodeReplay(*again.replay) != written) std::abort();
    if (again.replay->records.count() != reading.replay->records.count()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    readAndWriteBack(bytes);
    readAndWriteBack(framed(bytes));
    return 0;
}
