// Reading a sound cue: the file is read through the careful reader of
// regular files, then its RIFF chunks are walked to the format and the
// samples.
#include "desktop/sdl/WaveFile.h"

#include <algorithm>
#include <cstring>

namespace {

// The game's cues are a few seconds long; a larger file is not one of them.
constexpr qint64 largestFile = 64 * 1024 * 1024;

std::uint32_t word32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t word16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

}  // namespace

std::optional<WaveFile> readWaveFile(const QString& path, FileStamp* stamp) {
    const RegularFile file = readRegularFile(path, largestFile);
    if (file.state != RegularFile::State::Read || !file.whole) return std::nullopt;
    if (stamp) *stamp = file.stamp;
    return parseWave(file.bytes);
}

std::optional<WaveFile> parseWave(const QByteArray& bytes) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    const auto size = static_cast<std::size_t>(bytes.size());
    if (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
        return std::nullopt;
    WaveFile wave;
    bool haveFormat = false;
    std::size_t at = 12;
    while (at + 8 <= size) {
        const std::uint8_t* chunk = data + at;
        const std::size_t length = word32(chunk + 4);
        const std::size_t body = at + 8;
        const std::size_t available = size - body;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (length < 16 || length > available) return std::nullopt;
            const std::uint16_t format = word16(chunk + 8);
            wave.channels = word16(chunk + 10);
            const std::uint32_t rate = word32(chunk + 12);
            wave.bits = word16(chunk + 22);
            if (format != 1 || (wave.channels != 1 && wave.channels != 2) || (wave.bits != 8 && wave.bits != 16) ||
                rate < 8000 || rate > 192000)
                return std::nullopt;
            wave.rate = static_cast<int>(rate);
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat) return std::nullopt;
            // A recorder that stopped early leaves a data chunk shorter than
            // its header says: the samples that are there still play.
            std::size_t count = std::min(length, available);
            const std::size_t frame = static_cast<std::size_t>(wave.channels * wave.bits / 8);
            count -= count % frame;
            wave.samples.assign(data + body, data + body + count);
            return wave;
        }
        // Chunks are padded to an even length.
        if (length > available) return std::nullopt;
        at = body + length + (length & 1);
    }
    return std::nullopt;
}
