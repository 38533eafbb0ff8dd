// The sound cues of the desktop program: a file is read and checked on the
// window's thread (quick work on a local file, with no sound server
// involved), kept while the file is unchanged, and handed to the SDL thread,
// which converts it the first time it plays.
#include "desktop/sdl/SoundPlayer.h"

#include "desktop/sdl/SdlThread.h"

SoundPlayer::SoundPlayer() : thread_(SdlThread::share()) {}

// The window waits for the device while the program starts, and never
// more than 200 ms after the SDL thread began to open it.
int SoundPlayer::deviceCount() {
    return thread_->devices(std::chrono::milliseconds(200)).value_or(0);
}

bool SoundPlayer::play(const QString& path) {
    const std::optional<FileStamp> now = regularFileStamp(path);
    if (!now) return false;
    auto known = cache_.find(path);
    if (known == cache_.end() || !(known->second.stamp == *now)) {
        FileStamp stamp;
        std::optional<WaveFile> wave = readWaveFile(path, &stamp);
        if (!wave) {
            if (known != cache_.end()) cache_.erase(known);
            return false;
        }
        known = cache_.insert_or_assign(path, Cached{stamp, std::make_shared<Cue>(std::move(*wave))}).first;
    }
    thread_->play(known->second.cue);
    return true;
}

void SoundPlayer::setPaused(bool paused) {
    thread_->setPaused(paused);
}
