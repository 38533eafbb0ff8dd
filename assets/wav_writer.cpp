// The WAV writer: a RIFF file with a 16-byte PCM "fmt " chunk (mono,
// 16 bits, SampleRate samples a second) and one "data" chunk. Samples are
// clamped to -1..1 and scaled to the 16-bit range.
#include "sound.h"
#include "byte_buffer.h"

#include <algorithm>
#include <cmath>

void writeWav(const Sound& sound, const std::string& path)
{
    const std::uint16_t channels = 1;
    const std::uint16_t bitsPerSample = 16;
    const std::uint16_t blockAlign = channels * bitsPerSample / 8;
    const auto dataBytes = static_cast<std::uint32_t>(sound.samples.size() * blockAlign);

    std::string out;
    out += "RIFF";
    put32(out, 4 + (8 + 16) + (8 + dataBytes));
    out += "WAVE";

    out += "fmt ";
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, channels);
    put32(out, SampleRate);
    put32(out, SampleRate * blockAlign);
    put16(out, blockAlign);
    put16(out, bitsPerSample);

    out += "data";
    put32(out, dataBytes);
    for (double s : sound.samples) {
        const double clamped = std::clamp(s, -1.0, 1.0);
        put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(clamped * 32767.0))));
    }
    saveFile(out, path);
}
