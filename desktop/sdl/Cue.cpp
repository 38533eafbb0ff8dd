// Converting a cue to the device's format with SDL, once; the wave it came
// from is let go afterwards.
#include "desktop/sdl/Cue.h"

#include <SDL.h>

#include <algorithm>

namespace {

// The wave goes through SDL's converter a piece at a time and the samples
// come out as they are ready, so that converting never needs room for
// many times the whole sound (SDL's one-call conversion asks for sixteen).
constexpr std::size_t PieceBytes = 4096;

}  // namespace

const std::vector<std::uint8_t>* Cue::samples() {
    if (converted_) return samples_ ? &*samples_ : nullptr;
    converted_ = true;
    const WaveFile wave = std::move(wave_);
    const SDL_AudioFormat format = wave.bits == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    SDL_AudioStream* stream = SDL_NewAudioStream(format, static_cast<Uint8>(wave.channels), wave.rate, AUDIO_S16SYS,
                                                 deviceChannels, deviceRate);
    if (!stream) return nullptr;
    const std::size_t frameBytes = static_cast<std::size_t>(wave.channels) * static_cast<std::size_t>(wave.bits / 8);
    const std::size_t frames = wave.samples.size() / frameBytes;
    std::vector<std::uint8_t> out;
    out.reserve((frames * deviceRate / static_cast<std::size_t>(wave.rate) + PieceBytes) * deviceChannels * 2);
    const auto takeReady = [&] {
        const int ready = SDL_AudioStreamAvailable(stream);
        if (ready <= 0) return true;
        const std::size_t at = out.size();
        out.resize(at + static_cast<std::size_t>(ready));
        return SDL_AudioStreamGet(stream, out.data() + at, ready) == ready;
    };
    bool converted = true;
    const std::size_t whole = frames * frameBytes;
    for (std::size_t at = 0; converted && at < whole; at += PieceBytes) {
        const int piece = static_cast<int>(std::min(PieceBytes, whole - at));
        converted = SDL_AudioStreamPut(stream, wave.samples.data() + at, piece) == 0 && takeReady();
    }
    converted = converted && SDL_AudioStreamFlush(stream) == 0 && takeReady();
    SDL_FreeAudioStream(stream);
    if (!converted) return nullptr;
    samples_ = std::move(out);
    return &*samples_;
}
