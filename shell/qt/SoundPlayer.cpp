// The sound cues of the desktop program: the WAV check and the mixer that
// keeps one QSoundEffect per file on the sound thread and lets only the
// latest cue play.
#include "shell/qt/SoundPlayer.h"

#include <QFile>
#include <QSoundEffect>
#include <QUrl>

#include <map>

// Lives on the sound thread; every call arrives there as a queued call.
class SoundMixer : public QObject {
public:
    void play(const QString& path) {
        if (paused_) return;
        QSoundEffect*& effect = effects_[path];
        if (!effect) {
            effect = new QSoundEffect(this);
            effect->setSource(QUrl::fromLocalFile(path));
        }
        if (playing_) playing_->stop();
        playing_ = effect;
        effect->play();
    }

    void setPaused(bool paused) {
        paused_ = paused;
        if (paused_ && playing_) playing_->stop();
    }

private:
    std::map<QString, QSoundEffect*> effects_;
    QSoundEffect* playing_ = nullptr;
    bool paused_ = false;
};

namespace {

bool isWaveFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray header = file.read(12);
    return header.size() == 12 && header.startsWith("RIFF") && header.mid(8, 4) == "WAVE";
}

}  // namespace

SoundPlayer::SoundPlayer() : mixer_(new SoundMixer) {
    mixer_->moveToThread(&thread_);
    QObject::connect(&thread_, &QThread::finished, mixer_, &QObject::deleteLater);
    thread_.start();
}

SoundPlayer::~SoundPlayer() {
    thread_.quit();
    thread_.wait();
}

bool SoundPlayer::play(const QString& path) {
    if (!isWaveFile(path)) return false;
    SoundMixer* mixer = mixer_;
    QMetaObject::invokeMethod(mixer, [mixer, path] { mixer->play(path); }, Qt::QueuedConnection);
    return true;
}

void SoundPlayer::setPaused(bool paused) {
    SoundMixer* mixer = mixer_;
    QMetaObject::invokeMethod(mixer, [mixer, paused] { mixer->setPaused(paused); }, Qt::QueuedConnection);
}
