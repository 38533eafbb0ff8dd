// The one thread that owns SDL: it opens the audio device, then starts the
// pads, and from then on plays the latest cue handed to it, converting it
// first, lets the device rest as soon as a cue has ended and no other has
// come for a quarter second (SDL's mixing thread would otherwise wake
// hundreds of times a second to play silence),
// and reads the pads: every 8 ms while one is plugged in, and four times a
// second for one being plugged in while none is, through the controller
// added and removed events SDL raises as it looks at the devices. What the pads do
// goes to the window's thread as posted events. Every call into SDL runs
// here, so SDL starts and stops on one thread, and a sound server or a pad
// that is slow costs sound or pad input and never a frame. The window's
// thread talks to it only through a few fields under a lock that is never
// held across a call into SDL. A thread stuck on a sound server that does
// not answer is left behind when the program ends.
#pragma once

#include <QObject>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "desktop/sdl/Cue.h"
#include "desktop/sdl/PadDevices.h"

class AudioDevice;

class SdlThread {
public:
    // A pad's reading when it is first read and whenever it changes;
    // nothing when it is pulled out.
    using PadChanged = std::function<void(int id, const std::optional<PadReading>& reading)>;

    // The thread, started by the first to ask for it. When the last lets
    // go of it, it is asked to close the pads and the device and end, and
    // waited for a moment.
    static std::shared_ptr<SdlThread> share();

    // The number of audio devices once the thread has opened the device (0
    // when it could not); nothing when it has not answered within the
    // given time from its start.
    std::optional<int> devices(std::chrono::milliseconds patience);
    void play(std::shared_ptr<Cue> cue);
    void setPaused(bool paused);
    // Sends what the pads do to changed, called on the receiver's thread
    // while the receiver lives; a new receiver hears of every pad plugged
    // in. nullptr stops it.
    void listen(QObject* receiver, PadChanged changed);

private:
    SdlThread() = default;
    void run();
    void serve(AudioDevice& audio, PadDevices& pads);
    void post(int id, const std::optional<PadReading>& reading);
    void stop();

    std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
    std::mutex lock_;
    std::condition_variable changed_;
    std::optional<int> devices_;
    std::shared_ptr<Cue> next_;
    bool paused_ = false;
    QObject* receiver_ = nullptr;
    PadChanged padChanged_;
    bool newReceiver_ = false;
    bool stopping_ = false;
    bool ended_ = false;
};
