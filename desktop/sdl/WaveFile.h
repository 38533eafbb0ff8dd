// A sound cue read from disk: the checks a WAV file must pass before it may
// reach the speakers, and its samples once it has. Only plain PCM in one or
// two channels, 8 or 16 bits, 8000 to 192000 samples a second is accepted;
// anything else, including a file that is not a regular file at all (a
// pipe, a folder, a device), is turned away without waiting on it.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

#include "disk/regularfile.h"

// The format every cue is played in: 44100 Hz, 16-bit stereo.
constexpr int deviceRate = 44100;
constexpr int deviceChannels = 2;

struct WaveFile {
    int channels = 0;
    int rate = 0;
    int bits = 0;
    std::vector<std::uint8_t> samples;  // little-endian, interleaved
};

// Reads and checks a WAV file; nothing when it is missing, unreadable, not
// a regular file or not a PCM wave of the accepted kind. Sets stamp to the
// version read.
std::optional<WaveFile> readWaveFile(const QString& path, FileStamp* stamp = nullptr);

// Checks the bytes of a whole WAV file and takes out its samples.
std::optional<WaveFile> parseWave(const QByteArray& bytes);
