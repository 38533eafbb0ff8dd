// The sound cues of the desktop program: WAV files played through
// QSoundEffect, one at a time, so a new cue cuts off the one before it. The
// effects live on a thread of their own, which keeps the audio flowing while
// the game holds the window's thread in a blocking pause. While the game is
// paused the player stays silent.
#pragma once

#include <QString>
#include <QThread>

class SoundMixer;

class SoundPlayer {
public:
    SoundPlayer();
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Stops the cue that is playing and starts the WAV file at path. A file
    // that is missing, unreadable or not RIFF/WAVE plays nothing and gives
    // false, leaving the playing cue alone.
    bool play(const QString& path);
    // While paused the playing cue stops and no new cue sounds.
    void setPaused(bool paused);

private:
    QThread thread_;
    SoundMixer* mixer_;
};
