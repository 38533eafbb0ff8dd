// The audio device: opening it, playing and pausing the one channel, and
// closing it.
#include "desktop/sdl/AudioDevice.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstdio>

AudioDevice::AudioDevice() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    if (!open()) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    // Some drivers cannot list their devices (-1) but open one.
    count_ = std::max(SDL_GetNumAudioDevices(0), 1);
}

AudioDevice::~AudioDevice() {
    if (!count_) return;
    if (open_) Mix_HaltChannel(0);
    if (chunk_) Mix_FreeChunk(chunk_);
    if (open_) Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool AudioDevice::open() {
    // The device takes our format as it is; SDL converts if it must.
    open_ = Mix_OpenAudioDevice(deviceRate, AUDIO_S16SYS, deviceChannels, bufferFrames, nullptr, 0) == 0;
    if (open_) Mix_AllocateChannels(1);
    return open_;
}

// The sound server still holds the end of a cue for a little while after
// the mixer has done with it: the device rests at the second look that
// finds the channel quiet.
bool AudioDevice::rest() {
    if (!open_) return true;
    if (Mix_Playing(0)) {
        quietLooks_ = 0;
        return false;
    }
    if (++quietLooks_ < 2) return false;
    Mix_CloseAudio();
    open_ = false;
    return true;
}

void AudioDevice::play(std::shared_ptr<Cue> cue) {
    if (!count_) return;
    const std::vector<std::uint8_t>* samples = cue->samples();
    if (!samples) return;
    if (!open_ && !open()) {
        // Said once, until the device opens again: each cue tries anew.
        if (!saidLost_) std::fprintf(stderr, "vorlane: the sound device did not open again: %s\n", SDL_GetError());
        saidLost_ = true;
        return;
    }
    saidLost_ = false;
    quietLooks_ = 0;
    Mix_HaltChannel(0);
    if (chunk_) Mix_FreeChunk(chunk_);
    chunk_ = nullptr;
    playing_ = std::move(cue);
    if (!samples->empty()) {
        chunk_ = Mix_QuickLoad_RAW(const_cast<Uint8*>(samples->data()), static_cast<Uint32>(samples->size()));
        if (chunk_) Mix_PlayChannel(0, chunk_, 0);
    }
    if (paused_) Mix_Pause(0);
}

void AudioDevice::setPaused(bool paused) {
    if (!count_ || paused == paused_) return;
    paused_ = paused;
    if (!open_) return;
    if (paused)
        Mix_Pause(0);
    else
        Mix_Resume(0);
}
