// The sound cues of the desktop program: a file is checked and its samples
// converted to the device's format on the window's thread (quick work on a
// local file, with no sound server involved), kept while the file is
// unchanged, and handed to the sound thread to play.
#include "desktop/sdl/SoundPlayer.h"

#include <SDL.h>

#include <algorithm>

#include "desktop/sdl/SoundThread.h"

namespace {

// The cue in the device's format; nothing when SDL cannot convert it.
std::shared_ptr<const Cue> convert(const WaveFile& wave) {
    SDL_AudioCVT cvt;
    const SDL_AudioFormat format = wave.bits == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    if (SDL_BuildAudioCVT(&cvt, format, static_cast<Uint8>(wave.channels), wave.rate, AUDIO_S16SYS,
                          SoundThread::channels, SoundThread::rate) < 0)
        return nullptr;
    auto cue = std::make_shared<Cue>();
    cvt.len = static_cast<int>(wave.samples.size());
    cue->samples.resize(wave.samples.size() * static_cast<std::size_t>(cvt.len_mult));
    std::copy(wave.samples.begin(), wave.samples.end(), cue->samples.begin());
    cvt.buf = cue->samples.data();
    if (cvt.needed && SDL_ConvertAudio(&cvt) < 0) return nullptr;
    cue->samples.resize(static_cast<std::size_t>(cvt.needed ? cvt.len_cvt : cvt.len));
    return cue;
}

}  // namespace

SoundPlayer::SoundPlayer() {
    // SIGINT and SIGTERM end the program as they always did; SDL must not
    // turn them into events nobody reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // SDL's event queue, which the sound and the controllers share, starts
    // here on the window's thread, so the two never start it at once.
    SDL_InitSubSystem(SDL_INIT_EVENTS);
    thread_ = SoundThread::start();
}

SoundPlayer::~SoundPlayer() {
    thread_->stop();
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

// The window waits for the device while the program starts, and never
// more than 200 ms after the sound thread began to open it.
int SoundPlayer::deviceCount() {
    return thread_->devices(std::chrono::milliseconds(200)).value_or(0);
}

bool SoundPlayer::play(const QString& path) {
    const std::optional<FileStamp> now = regularFileStamp(path);
    if (!now) return false;
    auto known = cache_.find(path);
    if (known == cache_.end() || !(known->second.stamp == *now)) {
        FileStamp stamp;
        const std::optional<WaveFile> wave = readWaveFile(path, &stamp);
        std::shared_ptr<const Cue> cue = wave ? convert(*wave) : nullptr;
        if (!cue) {
            if (known != cache_.end()) cache_.erase(known);
            return false;
        }
        known = cache_.insert_or_assign(path, Cached{stamp, std::move(cue)}).first;
    }
    thread_->play(known->second.cue);
    return true;
}

void SoundPlayer::setPaused(bool paused) {
    thread_->setPaused(paused);
}
