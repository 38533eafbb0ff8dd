// A sound cue on its way to the speakers: the wave as the window's thread
// read it, and its samples in the device's format once the SDL thread has
// first played it. Only the SDL thread asks for the samples; the window's
// thread only keeps the cue while its file is unchanged.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "desktop/sdl/WaveFile.h"

class Cue {
public:
    explicit Cue(WaveFile wave) : wave_(std::move(wave)) {}

    // The samples at 44100 Hz, 16-bit stereo, converted on the first call;
    // nothing when SDL cannot convert them. The SDL thread's alone.
    const std::vector<std::uint8_t>* samples();

private:
    WaveFile wave_;
    bool converted_ = false;
    std::optional<std::vector<std::uint8_t>> samples_;
};
