// The thread that owns the audio device: it opens the device through
// SDL2_mixer once, answers how many devices there are, and plays the latest
// cue handed to it on the one channel. The window's thread talks to it only
// through a few fields under a lock that is never held across a call into
// SDL, so it never waits on the sound server. A thread stuck on a server
// that does not answer is left behind when the program ends.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

// Samples ready for the device: 44100 Hz, 16-bit stereo.
struct Cue {
    std::vector<std::uint8_t> samples;
};

struct SoundThread {
    static constexpr int rate = 44100;
    static constexpr int channels = 2;
    // The mixer's buffer, in frames: about 12 ms.
    static constexpr int bufferFrames = 512;

    // Starts the thread, which starts opening the device.
    static std::shared_ptr<SoundThread> start();
    // Asks the thread to close the device and end, and waits a moment for
    // it to do so.
    void stop();

    // The number of devices once the thread has opened the device (0 when
    // it could not); nothing when it has not answered within the given
    // time from its start.
    std::optional<int> devices(std::chrono::milliseconds patience);
    void play(std::shared_ptr<const Cue> cue);
    void setPaused(bool paused);

private:
    void run();
    void openDevice();
    void serve();

    std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
    std::mutex lock_;
    std::condition_variable changed_;
    std::optional<int> devices_;
    std::shared_ptr<const Cue> next_;
    bool paused_ = false;
    bool stopping_ = false;
    bool ended_ = false;
};
