// Converting a cue to the device's format with SDL, once; the wave it came
// from is let go afterwards.
#include "desktop/sdl/Cue.h"

#include <SDL.h>

#include <algorithm>

const std::vector<std::uint8_t>* Cue::samples() {
    if (converted_) return samples_ ? &*samples_ : nullptr;
    converted_ = true;
    const WaveFile wave = std::move(wave_);
    SDL_AudioCVT cvt;
    const SDL_AudioFormat format = wave.bits == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    if (SDL_BuildAudioCVT(&cvt, format, static_cast<Uint8>(wave.channels), wave.rate, AUDIO_S16SYS,
                          deviceChannels, deviceRate) < 0)
        return nullptr;
    std::vector<std::uint8_t> out(wave.samples.size() * static_cast<std::size_t>(cvt.len_mult));
    std::copy(wave.samples.begin(), wave.samples.end(), out.begin());
    cvt.len = static_cast<int>(wave.samples.size());
    cvt.buf = out.data();
    if (cvt.needed && SDL_ConvertAudio(&cvt) < 0) return nullptr;
    // SDL asks for room to spare while converting; the cue keeps only its
    // samples.
    out.resize(static_cast<std::size_t>(cvt.needed ? cvt.len_cvt : cvt.len));
    out.shrink_to_fit();
    samples_ = std::move(out);
    return &*samples_;
}
