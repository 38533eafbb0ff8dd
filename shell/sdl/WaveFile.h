// A sound cue read from disk: the checks a WAV file must pass before it may
// reach the speakers, and its samples once it has. Only plain PCM in one or
// two channels, 8 or 16 bits, 8000 to 192000 samples a second is accepted;
// anything else, including a file that is not a regular file at all (a
// pipe, a folder, a device), is turned away without waiting on it.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

// What identifies one version of a file on disk: a cue read earlier is kept
// only while its file still has the same stamp.
struct FileStamp {
    off_t size = 0;
    timespec modified{};

    bool operator==(const FileStamp& other) const {
        return size == other.size && modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec;
    }
};

struct WaveFile {
    int channels = 0;
    int rate = 0;
    int bits = 0;
    std::vector<std::uint8_t> samples;  // little-endian, interleaved
};

// The stamp of a regular file that can be opened for reading, or nothing.
// Never blocks: the file is opened without waiting for a writer.
std::optional<FileStamp> regularFileStamp(const std::string& path);

// Reads and checks a WAV file; nothing when it is missing, unreadable, not
// a regular file or not a PCM wave of the accepted kind. Sets stamp to the
// version read.
std::optional<WaveFile> readWaveFile(const std::string& path, FileStamp* stamp = nullptr);

// Checks the bytes of a whole WAV file and takes out its samples.
std::optional<WaveFile> parseWave(const std::vector<std::uint8_t>& bytes);
