// The sound cues of the desktop program, through SDL2_mixer: one audio
// device opened at start on the SDL thread and kept, one channel, so a new
// cue cuts off the one before it. The window's thread only reads and checks
// files and hands them over; every call into SDL, the samples' conversion
// included, runs on the SDL thread, so a sound server that is slow, stopped
// or gone costs sound and never a frame.
#pragma once

#include <QString>

#include <map>
#include <memory>

#include "desktop/sdl/WaveFile.h"

class Cue;
class SdlThread;

class SoundPlayer {
public:
    SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // The number of audio output devices; 0 when there is none, when the
    // device does not open, or when the sound server has not answered
    // within 200 ms of the SDL thread's start.
    int deviceCount();
    // Stops the cue that is playing and starts the WAV file at path. A file
    // that is missing, unreadable, not a regular file, not a PCM wave of
    // the accepted kind or longer than 10 seconds plays nothing and gives
    // false, leaving the playing cue alone.
    bool play(const QString& path);
    // Silences every cue while paused; they go on where they were after.
    void setPaused(bool paused);

private:
    struct Cached {
        FileStamp stamp;
        std::shared_ptr<Cue> cue;
    };

    std::shared_ptr<SdlThread> thread_;
    // Cues read before, each kept while its file is unchanged.
    std::map<QString, Cached> cache_;
};
