// The audio device, through SDL2_mixer, on the SDL thread alone: opened at
// start, one channel, so a new cue cuts off the one before it; a cue
// started while paused waits for the pause to end. Between cues it may
// rest: SDL's mixing thread then stops until the next cue opens the device
// again. Closing it may wait on the sound server.
#pragma once

#include <memory>

#include "desktop/sdl/Cue.h"

struct Mix_Chunk;

class AudioDevice {
public:
    // The mixer's buffer, in frames: about 12 ms.
    static constexpr int bufferFrames = 512;

    AudioDevice();
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // The number of output devices; 0 when the device did not open.
    int count() const { return count_; }
    // Stops the cue that plays and starts this one; a cue SDL cannot
    // convert leaves the playing one alone.
    void play(std::shared_ptr<Cue> cue);
    void setPaused(bool paused);
    // Closes the device once no cue has played or waited in a pause for two
    // looks in a row, so that silence costs no mixing thread; the next cue
    // opens it again. False while the device stays.
    bool rest();

private:
    bool open();

    int count_ = 0;
    bool open_ = false;
    bool saidLost_ = false;  // a failed reopening was told on standard error
    int quietLooks_ = 0;
    bool paused_ = false;
    // The cue that plays, kept alive with the chunk that points into it.
    std::shared_ptr<Cue> playing_;
    Mix_Chunk* chunk_ = nullptr;
};
