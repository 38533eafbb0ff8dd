// Reading a sound cue: the file is opened without blocking and checked to be
// a regular file before a byte is read, then its RIFF chunks are walked to
// the format and the samples.
#include "shell/sdl/WaveFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// The game's cues are a few seconds long; a larger file is not one of them.
constexpr off_t largestFile = 64 * 1024 * 1024;

std::uint32_t word32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t word16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

// An open file descriptor that closes itself.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

FileStamp stampOf(const struct stat& info) {
    return {info.st_size, info.st_mtim};
}

}  // namespace

std::optional<FileStamp> regularFileStamp(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return stampOf(info);
}

std::optional<WaveFile> readWaveFile(const std::string& path, FileStamp* stamp) {
    // A quick look first, so that a pipe or a device is never even opened.
    if (!regularFileStamp(path)) return std::nullopt;
    // The file may have been swapped since; O_NONBLOCK keeps a pipe from
    // holding the open, and fstat tells what was really opened.
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    struct stat info {};
    if (file.fd < 0 || ::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    if (info.st_size > largestFile) return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(file.fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return std::nullopt;
        got += static_cast<std::size_t>(n);
    }
    if (stamp) *stamp = stampOf(info);
    return parseWave(bytes);
}

std::optional<WaveFile> parseWave(const std::vector<std::uint8_t>& bytes) {
    const std::uint8_t* data = bytes.data();
    const std::size_t size = bytes.size();
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
