// The playback filmed: a platform whose clock runs on the recorded times and
// the game's pauses, the sound channel mixed from the game's own waves, and
// the ffmpeg that encodes them.
#include "halloffame/film.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <string>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "halloffame/pace.h"
#include "replay/format.h"
#include "replay/gamespan.h"
#include "replay/headless.h"
#include "replay/playback.h"
#include "shell/surface.h"

namespace {

// Half the 25 ms tick: a bomb or a missile is in flight for many ticks.
constexpr int FramesPerSecond = 20;
constexpr int FrameMs = 1000 / FramesPerSecond;
// The rate of the game's own waves, which ffmpeg takes to Opus's.
constexpr int MixRate = 22050;
// The preview: the last seconds before the game over, and the game over.
constexpr int PreviewLeadMs = 5000;

struct Cue {
    qint64 ms = 0;
    QString path;
};

// The world outside a filmed playback, at the game's own pace: the
// picture as it stands is shown at every frame due before each event and
// all through each pause, and each cue is noted at its moment.
class Camera final : public Pace {
public:
    explicit Camera(int frames) : frames_(frames) {}
    void watch(const frmVorlane& form) { form_ = &form; }

    // Every frame due before the moment ms shows the picture as it stands.
    void until(qint64 ms) {
        while (shown_ * FrameMs < ms) show();
    }
    // The picture as it stands, at the next frame's time.
    void show() {
        ++shown_;
        if (frames_ < 0 || failed_) return;
        const QImage& image = form_->surface.image();
        const char* bytes = reinterpret_cast<const char*>(image.constBits());
        for (qsizetype written = 0, size = image.sizeInBytes(); written < size;) {
            const ssize_t n = write(frames_, bytes + written, size_t(size - written));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                failed_ = true;
                return;
            }
            written += n;
        }
    }
    qint64 lengthMs() const { return shown_ * FrameMs; }
    bool failed() const { return failed_; }

    std::vector<Cue> cues;

private:
    void pausing(int milliseconds) override { until(now() + milliseconds); }
    bool playSound(const QString& path, bool) override {
        cues.push_back({now(), path});
        return true;
    }

    const frmVorlane* form_ = nullptr;
    int frames_;
    qint64 shown_ = 0;
    bool failed_ = false;
};

// Plays the game from its Start to the recording's end, the frames going
// to the descriptor frames (none when it is below 0). The moment its game
// over began, since the Start, goes to overMs.
Camera film(const Replay& replay, const QString& programDirectory, int frames, qint64& overMs) {
    Camera camera(frames);
    Playback playback(replay, programDirectory, &camera);
    camera.watch(playback.form());
    playback.setQuiet(true);
    if (!playback.load()) return camera;
    playback.setQuiet(false);
    GameSpan span;
    overMs = 0;
    while (!playback.atEnd() && !camera.failed()) {
        const qint64 at = camera.reach(playback.nextTime());
        camera.until(at);
        playback.step();
        if (span.after(playback.form()) == GameSpan::Change::Ended && overMs == 0) overMs = at;
    }
    camera.until(camera.now());
    camera.show();
    return camera;
}

// A plain PCM wave of 16 bits, its channels mixed to one; empty when it is
// anything else, which the game plays as silence.
struct Wave {
    int rate = 0;
    std::vector<qint16> samples;
};

Wave readWave(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.read(16 * 1024 * 1024);
    const auto word = [&bytes](qsizetype at, int size) {
        quint32 value = 0;
        for (int n = size - 1; n >= 0; --n) value = value << 8 | quint8(bytes[at + n]);
        return value;
    };
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") return {};
    Wave wave;
    int channels = 0;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = qsizetype(word(at + 4, 4));
        const qsizetype body = at + 8;
        if (size > bytes.size() - body) return {};
        if (id == "fmt " && size >= 16) {
            if (word(body, 2) != 1 || word(body + 14, 2) != 16) return {};
            channels = int(word(body + 2, 2));
            wave.rate = int(word(body + 4, 4));
        } else if (id == "data" && channels > 0 && wave.rate > 0) {
            for (qsizetype frame = body; frame + 2 * channels <= body + size; frame += 2 * channels) {
                int sum = 0;
                for (int c = 0; c < channels; ++c) sum += qint16(word(frame + 2 * c, 2));
                wave.samples.push_back(qint16(sum / channels));
            }
            return wave;
        }
        at = body + size + (size & 1);
    }
    return {};
}

// The game's one sound channel: each cue plays from its moment until it
// ends or the next one cuts it off. Mono, 16 bits, MixRate a second.
std::vector<qint16> soundtrack(const std::vector<Cue>& cues, qint64 lengthMs) {
    std::vector<qint16> mix(std::size_t(lengthMs * MixRate / 1000), 0);
    std::map<QString, Wave> waves;
    for (std::size_t n = 0; n < cues.size(); ++n) {
        auto found = waves.find(cues[n].path);
        if (found == waves.end()) found = waves.emplace(cues[n].path, readWave(cues[n].path)).first;
        const Wave& wave = found->second;
        if (wave.rate <= 0) continue;
        const std::size_t start = std::size_t(cues[n].ms * MixRate / 1000);
        const std::size_t cut = n + 1 < cues.size() ? std::size_t(cues[n + 1].ms * MixRate / 1000) : mix.size();
        const std::size_t length = std::size_t(qint64(wave.samples.size()) * MixRate / wave.rate);
        for (std::size_t s = start; s < std::min({cut, start + length, mix.size()}); ++s)
            mix[s] = wave.samples[std::size_t(qint64(s - start) * wave.rate / MixRate)];
    }
    return mix;
}

// ffmpeg with the frames on its standard input and the sound on its
// descriptor 3; ends with the program that started it.
pid_t startEncoder(int frames, int sound, const std::string& video, const std::string& preview, qint64 previewFromMs) {
    const std::string size = std::to_string(Surface::Width) + "x" + std::to_string(Surface::Height);
    const std::string filter = "[0:v]split[v][p];[p]trim=start=" + std::to_string(double(previewFromMs) / 1000.0) +
                               ",setpts=PTS-STARTPTS,fps=8,scale=" + std::to_string(Surface::Width / 2) + ":" +
                               std::to_string(Surface::Height / 2) + ":flags=neighbor[q]";
    const std::string rate = std::to_string(FramesPerSecond), mixRate = std::to_string(MixRate);
    std::vector<std::string> words = {
        "ffmpeg", "-nostats", "-hide_banner", "-loglevel", "error", "-y",
        "-f", "rawvideo", "-pix_fmt", "bgr0", "-video_size", size, "-framerate", rate, "-i", "pipe:0",
        "-f", "s16le", "-ar", mixRate, "-ac", "1", "-i", "pipe:3",
        "-filter_complex", filter,
        "-map", "[v]", "-map", "1:a", "-c:v", "libvpx-vp9", "-pix_fmt", "yuv420p", "-deadline", "realtime",
        "-cpu-used", "6", "-crf", "36", "-b:v", "0", "-g", std::to_string(10 * FramesPerSecond), "-threads", "1",
        "-c:a", "libopus", "-b:a", "48k", "-f", "webm", video,
        "-map", "[q]", "-c:v", "libwebp_anim", "-lossless", "1", "-compression_level", "4", "-loop", "0", "-f", "webp",
        preview};
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const pid_t parent = getpid();
    const pid_t child = fork();
    if (child == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) _exit(127);
        dup2(frames, STDIN_FILENO);
        dup2(sound, 3);
        execvp("ffmpeg", argv.data());
        _exit(127);
    }
    return child;
}

}  // namespace

int filmCommand(char* argv0, const char* video, const char* preview) {
    const HeadlessApplication app(argv0);
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly)) return 1;
    const ReplayReading reading = decodeReplay(input.read(LargestReplayFile + 1));
    if (!reading.replay) {
        std::fprintf(stderr, "vorlane-hall film: %s\n", qPrintable(reading.problem));
        return 1;
    }
    const QString programDirectory = QCoreApplication::applicationDirPath();

    // First the cues, to lay the sound down before the pictures come.
    qint64 overMs = 0;
    const Camera heard = film(*reading.replay, programDirectory, -1, overMs);
    const std::vector<qint16> mix = soundtrack(heard.cues, heard.lengthMs());
    const int sound = memfd_create("sound", 0);
    const auto bytes = qsizetype(mix.size() * sizeof(qint16));
    if (sound < 0 || write(sound, mix.data(), size_t(bytes)) != bytes || lseek(sound, 0, SEEK_SET) != 0) return 1;

    const std::string videoPart = std::string(video) + ".part", previewPart = std::string(preview) + ".part";
    int frames[2];
    if (pipe2(frames, O_CLOEXEC) != 0) return 1;
    const pid_t encoder =
        startEncoder(frames[0], sound, videoPart, previewPart, std::max<qint64>(0, overMs - PreviewLeadMs));
    close(frames[0]);
    close(sound);
    if (encoder < 0) return 1;
    const Camera seen = film(*reading.replay, programDirectory, frames[1], overMs);
    close(frames[1]);
    int status = 0;
    while (waitpid(encoder, &status, 0) < 0 && errno == EINTR) {
    }
    if (seen.failed() || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::remove(videoPart.c_str());
        std::remove(previewPart.c_str());
        std::fprintf(stderr, "vorlane-hall film: the encoder failed\n");
        return 1;
    }
    // The video last: a job sees it made once both are there.
    if (std::rename(previewPart.c_str(), preview) != 0 || std::rename(videoPart.c_str(), video) != 0) return 1;
    return 0;
}
