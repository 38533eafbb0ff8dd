// A sound cue read from disk: the checks a WAV file must pass before it may
// reach the speakers, and its samples once it has. Only plain PCM in one or
// two channels, 8 or 16 bits, 8000 to 192000 samples a second, and at most
// 10 seconds long is accepted; anything else, including a file that is not
// a regular file at all (a pipe, a folder, a device), is turned away
// without waiting on it.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "disk/regularfile.h"

// The format every cue is played in: 44100 Hz, 16-bit stereo.
constexpr int deviceRate = 44100;
constexpr int deviceChannels = 2;
// The longest cue that plays: 10 seconds, 1 764 000 bytes in the device's
// format. The game's own last 3 seconds at the most (the mothership's).
constexpr int longestCueSeconds = 10;
constexpr std::size_t longestCueBytes = std::size_t{longestCueSeconds} * deviceRate * deviceChannels * 2;

struct WaveFile {
    int channels = 0;
    int rate = 0;
    int bits = 0;
    std::vector<std::uint8_t> samples;  // little-endian, interleaved
};

// Reads and checks a WAV file; nothing when it is missing, unreadable, not
// a regular file, not a PCM wave of the accepted kind or too long. Sets
// stamp to the version read.
std::optional<WaveFile> readWaveFile(const QString& path, FileStamp* stamp = nullptr);

// Checks the bytes of a whole WAV file and takes out its samples; a wave
// whose samples would pass longestCueBytes in the device's format is
// refused from its header, before they are taken out.
std::optional<WaveFile> parseWave(const QByteArray& bytes);
