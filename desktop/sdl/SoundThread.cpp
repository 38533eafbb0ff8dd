// The sound thread: it opens the device, then waits for cues, pause changes
// and the end, and carries each out with the mixer outside the lock.
#include "desktop/sdl/SoundThread.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <chrono>
#include <thread>

std::shared_ptr<SoundThread> SoundThread::start() {
    auto self = std::make_shared<SoundThread>();
    // The thread keeps its own share, so it may outlive the player.
    std::thread([self] { self->run(); }).detach();
    return self;
}

void SoundThread::stop() {
    std::unique_lock<std::mutex> hold(lock_);
    stopping_ = true;
    changed_.notify_all();
    // A server that does not answer keeps the thread; the program ends all
    // the same.
    changed_.wait_for(hold, std::chrono::milliseconds(300), [this] { return ended_; });
}

std::optional<int> SoundThread::devices(std::chrono::milliseconds patience) {
    std::unique_lock<std::mutex> hold(lock_);
    changed_.wait_until(hold, started_ + patience, [this] { return devices_.has_value(); });
    return devices_;
}

void SoundThread::play(std::shared_ptr<const Cue> cue) {
    const std::lock_guard<std::mutex> hold(lock_);
    next_ = std::move(cue);
    changed_.notify_all();
}

void SoundThread::setPaused(bool paused) {
    const std::lock_guard<std::mutex> hold(lock_);
    paused_ = paused;
    changed_.notify_all();
}

void SoundThread::run() {
    openDevice();
    serve();
    // SDL keeps its error text per thread; this thread is not one of SDL's,
    // so it must let go of it itself.
    SDL_TLSCleanup();
    const std::lock_guard<std::mutex> hold(lock_);
    ended_ = true;
    changed_.notify_all();
}

void SoundThread::openDevice() {
    int count = 0;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        // The device takes our format as it is; SDL converts if it must.
        if (Mix_OpenAudioDevice(rate, AUDIO_S16SYS, channels, bufferFrames, nullptr, 0) == 0) {
            Mix_AllocateChannels(1);
            // Some drivers cannot list their devices (-1) but open one.
            count = std::max(SDL_GetNumAudioDevices(0), 1);
        } else {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
    }
    const std::lock_guard<std::mutex> hold(lock_);
    devices_ = count;
    changed_.notify_all();
}

void SoundThread::serve() {
    bool open = false;
    {
        const std::lock_guard<std::mutex> hold(lock_);
        open = *devices_ > 0;
    }
    // The cue that plays, kept alive with the chunk that points into it.
    std::shared_ptr<const Cue> playing;
    Mix_Chunk* chunk = nullptr;
    bool paused = false;
    for (;;) {
        std::shared_ptr<const Cue> cue;
        bool pause = false;
        {
            std::unique_lock<std::mutex> hold(lock_);
            changed_.wait(hold, [&] { return stopping_ || next_ || paused_ != paused; });
            if (stopping_) break;
            cue = std::move(next_);
            next_.reset();
            pause = paused_;
        }
        if (!open) {
            paused = pause;
            continue;
        }
        if (cue) {
            Mix_HaltChannel(0);
            if (chunk) Mix_FreeChunk(chunk);
            chunk = nullptr;
            playing = std::move(cue);
            if (!playing->samples.empty()) {
                chunk = Mix_QuickLoad_RAW(const_cast<Uint8*>(playing->samples.data()),
                                          static_cast<Uint32>(playing->samples.size()));
                if (chunk) Mix_PlayChannel(0, chunk, 0);
            }
            // A cue started while paused waits for the pause to end.
            if (pause) Mix_Pause(0);
        }
        if (pause != paused) {
            if (pause)
                Mix_Pause(0);
            else
                Mix_Resume(0);
            paused = pause;
        }
    }
    if (!open) return;
    Mix_HaltChannel(0);
    if (chunk) Mix_FreeChunk(chunk);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
