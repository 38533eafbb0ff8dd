// Reading a sound cue: the file is read through the careful reader of
// regular files, then its RIFF chunks are walked to the format and the
// samples.
#include "desktop/sdl/WaveFile.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint32_t lowestRate = 8000;
constexpr std::uint32_t highestRate = 192000;
// The longest cue at the highest rate in 16-bit stereo, with room for the
// chunks around its samples; a larger file is not a cue that may play.
constexpr qint64 largestFile = qint64{longestCueSeconds} * highestRate * 4 + 64 * 1024;

// The bytes a wave's frames come to at the device's rate and format.
std::uint64_t deviceBytes(std::uint64_t frames, int rate) {
    return (frames * deviceRate + static_cast<std::uint64_t>(rate) - 1) / static_cast<std::uint64_t>(rate) *
           deviceChannels * 2;
}

std::uint32_t word32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t word16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

}  // namespace

std::optional<WaveFile> readWaveFile(const QString& path, FileStamp* stamp) {
    // A file too large for a cue is turned away by its size, unread.
    const std::optional<FileStamp> now = regularFileStamp(path);
    if (now && now->size > largestFile) return std::nullopt;
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
                rate < lowestRate || rate > highestRate)
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
            if (deviceBytes(count / frame, wave.rate) > longestCueBytes) return std::nullopt;
            wave.samples.assign(data + body, data + body + count);
            return wave;
        }
        // Chunks are padded to an even length.
        if (length > available) return std::nullopt;
        at = body + length + (length & 1);
    }
    return std::nullopt;
}
