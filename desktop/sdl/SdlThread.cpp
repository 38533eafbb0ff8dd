// The SDL thread: it opens the device and starts the pads, then waits for
// cues, pause changes and the end, looking at the pads whenever their time
// comes, and carries each out with SDL outside the lock.
#include "desktop/sdl/SdlThread.h"

#include <SDL.h>

#include <map>
#include <thread>

#include "desktop/sdl/AudioDevice.h"

namespace {

// A plugged pad's input reaches the game well within its 25 ms tick.
constexpr std::chrono::milliseconds padLook{8};
// With no pad plugged, one plugged in is noticed within a quarter second.
constexpr std::chrono::milliseconds plugLook{250};
// The audio device rests this long after the last cue started, once that
// cue has ended; a long cue is looked at again this often. Opening it again
// takes a millisecond or two, and a fresh device starts its first cue
// sooner than one that has been playing silence.
constexpr std::chrono::milliseconds quietRest{250};
constexpr std::chrono::milliseconds stillPlaying{100};

}  // namespace

std::shared_ptr<SdlThread> SdlThread::share() {
    static std::mutex registry;
    static std::weak_ptr<SdlThread> current;
    const std::lock_guard<std::mutex> hold(registry);
    if (std::shared_ptr<SdlThread> running = current.lock()) return running;
    std::shared_ptr<SdlThread> self(new SdlThread);
    // The thread keeps its own share, so it may outlive its users.
    std::thread([self] { self->run(); }).detach();
    std::shared_ptr<SdlThread> users(self.get(), [self](SdlThread*) { self->stop(); });
    current = users;
    return users;
}

void SdlThread::stop() {
    std::unique_lock<std::mutex> hold(lock_);
    stopping_ = true;
    receiver_ = nullptr;
    changed_.notify_all();
    // A server that does not answer keeps the thread; the program ends all
    // the same.
    changed_.wait_for(hold, std::chrono::milliseconds(300), [this] { return ended_; });
}

std::optional<int> SdlThread::devices(std::chrono::milliseconds patience) {
    std::unique_lock<std::mutex> hold(lock_);
    changed_.wait_until(hold, started_ + patience, [this] { return devices_.has_value(); });
    return devices_;
}

void SdlThread::play(std::shared_ptr<Cue> cue) {
    const std::lock_guard<std::mutex> hold(lock_);
    next_ = std::move(cue);
    changed_.notify_all();
}

void SdlThread::setPaused(bool paused) {
    const std::lock_guard<std::mutex> hold(lock_);
    paused_ = paused;
    changed_.notify_all();
}

void SdlThread::listen(QObject* receiver, PadChanged changed) {
    const std::lock_guard<std::mutex> hold(lock_);
    receiver_ = receiver;
    padChanged_ = std::move(changed);
    newReceiver_ = true;
}

void SdlThread::run() {
    // SIGINT and SIGTERM end the program as they always did; SDL must not
    // turn them into events nobody reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    {
        AudioDevice audio;
        {
            const std::lock_guard<std::mutex> hold(lock_);
            devices_ = audio.count();
            changed_.notify_all();
        }
        // The pads close first: closing the device may wait on the server.
        PadDevices pads;
        serve(audio, pads);
    }
    // SDL keeps its error text per thread; this thread is not one of SDL's,
    // so it must let go of it itself.
    SDL_TLSCleanup();
    const std::lock_guard<std::mutex> hold(lock_);
    ended_ = true;
    changed_.notify_all();
}

void SdlThread::serve(AudioDevice& audio, PadDevices& pads) {
    // What the window's thread was last told of each pad.
    std::map<int, PadReading> told;
    auto nextLook = std::chrono::steady_clock::now();
    auto rest = nextLook + quietRest;
    bool resting = false;
    bool paused = false;
    for (;;) {
        std::shared_ptr<Cue> cue;
        {
            std::unique_lock<std::mutex> hold(lock_);
            const auto wake = resting ? nextLook : std::min(nextLook, rest);
            changed_.wait_until(hold, wake, [&] { return stopping_ || next_ || paused_ != paused; });
            if (stopping_) return;
            cue = std::move(next_);
            next_.reset();
            paused = paused_;
            if (newReceiver_) told.clear();
            newReceiver_ = false;
        }
        audio.setPaused(paused);
        const auto now = std::chrono::steady_clock::now();
        if (cue) {
            audio.play(std::move(cue));
            resting = false;
            rest = now + quietRest;
        }
        // A cue still playing, or waiting in a pause, keeps the device.
        if (!resting && now >= rest) {
            resting = audio.rest();
            rest = now + stillPlaying;
        }
        if (now < nextLook) continue;
        pads.poll(
            [&](int id) {
                told.erase(id);
                post(id, std::nullopt);
            },
            [&](int id, const PadReading& reading) {
                const auto known = told.find(id);
                if (known != told.end() && known->second == reading) return;
                told[id] = reading;
                post(id, reading);
            });
        nextLook = now + (pads.count() > 0 ? padLook : plugLook);
    }
}

void SdlThread::post(int id, const std::optional<PadReading>& reading) {
    const std::lock_guard<std::mutex> hold(lock_);
    if (!receiver_) return;
    QMetaObject::invokeMethod(
        receiver_, [changed = padChanged_, id, reading] { changed(id, reading); }, Qt::QueuedConnection);
}
