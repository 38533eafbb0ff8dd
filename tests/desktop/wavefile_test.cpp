// What the sound player lets in: only a regular file holding a PCM wave of
// one or two channels, 8 or 16 bits and 8000 to 192000 Hz, at most 10
// seconds long, gets through; anything else gives false at once, a pipe and
// a folder included, and a file that changes is read again.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/stat.h>

#include "desktop/sdl/SoundPlayer.h"

namespace {

// The header of a wave file with the format given and bytes of samples.
QByteArray header(int channels, int rate, int bits, qint64 bytes, int format = 1) {
    const int frame = channels * bits / 8;
    auto word = [](quint32 v, int n) {
        QByteArray b;
        for (int i = 0; i < n; ++i) b.append(static_cast<char>((v >> (8 * i)) & 0xff));
        return b;
    };
    return "RIFF" + word(static_cast<quint32>(36 + bytes), 4) + "WAVE" + "fmt " + word(16, 4) + word(format, 2) +
           word(channels, 2) + word(rate, 4) + word(rate * frame, 4) + word(frame, 2) + word(bits, 2) + "data" +
           word(static_cast<quint32>(bytes), 4);
}

// The bytes of a wave file of frames frames, a second's tenth unless told.
QByteArray wave(int channels, int rate, int bits, int format = 1, int frames = 0) {
    const int bytes = (frames ? frames : rate / 10) * channels * bits / 8;
    return header(channels, rate, bits, bytes, format) + QByteArray(bytes, '\x40');
}

qint64 peakBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64{usage.ru_maxrss} * 1024;
}

class WaveFiles : public ::testing::Test {
protected:
    // The checks come before any sound device: SDL's silent driver will do.
    static void SetUpTestSuite() { qputenv("SDL_AUDIODRIVER", "dummy"); }

    QTemporaryDir folder;
    SoundPlayer player;

    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
        return file.fileName();
    }
};

}  // namespace

TEST_F(WaveFiles, OnlyPlainPcmWavesOfTheUsualKindsAndAtMostTenSecondsPlay) {
    const struct {
        int channels, rate, bits, format, frames;
        bool plays;
    } rows[] = {{1, 8000, 8, 1, 0, true},         {2, 192000, 16, 1, 0, true},      {1, 22050, 16, 1, 0, true},
                {1, 1, 16, 1, 0, false},          {1, 7999, 16, 1, 0, false},       {1, 192001, 16, 1, 0, false},
                {3, 22050, 16, 1, 0, false},      {1, 22050, 24, 1, 0, false},      {1, 22050, 32, 3, 0, false},
                {1, 8000, 8, 1, 80000, true},     {1, 8000, 8, 1, 80001, false},    {2, 22050, 16, 1, 220500, true},
                {2, 22050, 16, 1, 220501, false}, {2, 192000, 16, 1, 1920000, true}};
    int file = 0;
    for (const auto& r : rows)
        EXPECT_EQ(player.play(write(QString::number(++file) + ".wav", wave(r.channels, r.rate, r.bits, r.format, r.frames))), r.plays)
            << r.channels << " channels, " << r.rate << " Hz, " << r.bits << " bits, " << r.frames << " frames";
    EXPECT_FALSE(player.play(write("empty.wav", {})));
    EXPECT_FALSE(player.play(write("garbage.wav", QByteArray(4000, 'x'))));
    EXPECT_FALSE(player.play(write("cut.wav", wave(1, 22050, 16).left(30)))) << "cut inside the format";
    EXPECT_FALSE(player.play(folder.filePath("missing.wav")));
}

TEST_F(WaveFiles, APipeOrAFolderIsTurnedAwayWithoutWaitingAndAChangedFileIsReadAgain) {
    const QString pipe = folder.filePath("pipe.wav");
    ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    EXPECT_FALSE(player.play(pipe)) << "returns at once: no writer ever comes";
    ASSERT_TRUE(QDir(folder.path()).mkdir("folder.wav"));
    EXPECT_FALSE(player.play(folder.filePath("folder.wav")));
    EXPECT_FALSE(player.play("/dev/zero"));

    const QString path = write("Fire.wav", wave(1, 22050, 8));
    EXPECT_TRUE(player.play(path));
    QFile::resize(path, 20);
    EXPECT_FALSE(player.play(path));
    write("Fire.wav", wave(2, 44100, 16));
    EXPECT_TRUE(player.play(path));
}

// A long wave at a low rate grows many times over on its way to the
// device: one of half an hour once took gigabytes and crashed the game.
TEST_F(WaveFiles, ACueOfHalfAnHourIsTurnedAwayUnread) {
    const QString halfHour = folder.filePath("halfhour.wav");
    {
        QFile file(halfHour);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const qint64 bytes = 30 * 1024 * 1024;
        file.write(header(1, 8000, 8, bytes));
        file.resize(file.size() + bytes);
    }
    const qint64 before = peakBytes();
    EXPECT_FALSE(player.play(halfHour));
    EXPECT_LT(peakBytes() - before, 4 * 1024 * 1024);
}
