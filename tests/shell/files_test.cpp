// The pictures and sounds that the build writes beside the program: each
// picture loads and has the size the game's layout counts on, none borrows
// the colours of bombs and the missile, and each sound is a 16-bit PCM WAV
// of about the length its moment in the game lasts.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace {

QString inBin(const char* fileName) { return QString(VORLANE_BIN_DIR) + "/" + fileName; }

QImage loadPicture(const char* fileName)
{
    QImage picture(inBin(fileName));
    EXPECT_FALSE(picture.isNull()) << fileName;
    return picture;
}

long colourNumber(QRgb c) { return qRed(c) + 256L * qGreen(c) + 65536L * qBlue(c); }

bool isBlack(const QImage& picture, int x, int y) { return colourNumber(picture.pixel(x, y)) == 0; }

// The span of columns holding anything but black.
std::pair<int, int> litColumns(const QImage& picture)
{
    int left = picture.width(), right = -1;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (!isBlack(picture, x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return {left, right};
}

const char* const Pictures[] = {"invader.bmp", "invader1.bmp", "invexpl.bmp",
                                "ship.bmp",    "Mother.bmp",   "base.bmp"};

struct Wav {
    std::uint16_t format = 0, channels = 0, bitsPerSample = 0, blockAlign = 0;
    std::uint32_t sampleRate = 0, byteRate = 0;
    std::vector<std::int16_t> samples;
    double seconds() const { return double(samples.size()) / sampleRate; }
};

std::uint32_t le(const QByteArray& bytes, qsizetype at, int size)
{
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = v << 8 | std::uint8_t(bytes[at + i]);
    return v;
}

// Reads the RIFF chunks of a WAV file, checking the sizes they declare.
Wav readWav(const char* fileName)
{
    Wav wav;
    QFile file(inBin(fileName));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << fileName;
    const QByteArray bytes = file.readAll();
    EXPECT_GE(bytes.size(), 44) << fileName;
    if (bytes.size() < 44) return wav;
    EXPECT_EQ(bytes.left(4), "RIFF") << fileName;
    EXPECT_EQ(le(bytes, 4, 4), std::uint32_t(bytes.size() - 8)) << fileName;
    EXPECT_EQ(bytes.mid(8, 4), "WAVE") << fileName;
    bool haveData = false;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const std::uint32_t size = le(bytes, at + 4, 4);
        EXPECT_LE(at + 8 + qsizetype(size), bytes.size()) << fileName << " chunk " << id.constData();
        if (id == "fmt ") {
            wav.format = le(bytes, at + 8, 2);
            wav.channels = le(bytes, at + 10, 2);
            wav.sampleRate = le(bytes, at + 12, 4);
            wav.byteRate = le(bytes, at + 16, 4);
            wav.blockAlign = le(bytes, at + 20, 2);
            wav.bitsPerSample = le(bytes, at + 22, 2);
        } else if (id == "data") {
            haveData = true;
            wav.samples.resize(size / 2);
            std::memcpy(wav.samples.data(), bytes.constData() + at + 8, wav.samples.size() * 2);
        }
        at += 8 + size + (size & 1);
    }
    EXPECT_TRUE(haveData) << fileName;
    return wav;
}

} // namespace

TEST(Files, EveryPictureIsAnUncompressed24BitBitmap)
{
    for (const char* name : Pictures) {
        QFile file(inBin(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QByteArray bytes = file.readAll();
        ASSERT_GE(bytes.size(), 54) << name;
        EXPECT_EQ(bytes.left(2), "BM") << name;
        EXPECT_EQ(le(bytes, 14, 4), 40u) << name << ": BITMAPINFOHEADER";
        EXPECT_EQ(le(bytes, 28, 2), 24u) << name << ": bits a pixel";
        EXPECT_EQ(le(bytes, 30, 4), 0u) << name << ": compression";
        const std::uint32_t width = le(bytes, 18, 4), height = le(bytes, 22, 4);
        EXPECT_EQ(std::uint32_t(bytes.size()), le(bytes, 10, 4) + (width * 3 + 3) / 4 * 4 * height) << name;
    }
}

TEST(Files, InvaderFramesAndTheirExplosionShareOneSize)
{
    for (const char* name : {"invader.bmp", "invader1.bmp", "invexpl.bmp"}) {
        const QImage picture = loadPicture(name);
        EXPECT_EQ(picture.size(), QSize(17, 15)) << name;
    }
    EXPECT_NE(loadPicture("invader.bmp"), loadPicture("invader1.bmp")) << "the march needs two poses";
}

TEST(Files, ShipIsSymmetricAboutItsCannonAndFitsBelowTheShipRow)
{
    const QImage ship = loadPicture("ship.bmp");
    ASSERT_EQ(ship.width(), 29);
    EXPECT_GT(ship.height(), 0);
    EXPECT_LE(ship.height(), 36);
    for (int y = 0; y < ship.height(); ++y)
        for (int x = 0; x < 14; ++x)
            EXPECT_EQ(ship.pixel(x, y), ship.pixel(28 - x, y)) << "row " << y << " column " << x;

    int top = 0;
    while (top < ship.height() && litColumns(ship.copy(0, top, 29, 1)).second < 0) ++top;
    ASSERT_LT(top, ship.height());
    EXPECT_EQ(litColumns(ship.copy(0, top, 29, 1)), std::make_pair(14, 14)) << "the cannon's tip";
    EXPECT_TRUE(isBlack(ship, 0, 0));
}

TEST(Files, MothershipIsCentredOnColumn32AndFlies33RowsHighAtMost)
{
    const QImage mother = loadPicture("Mother.bmp");
    EXPECT_EQ(mother.width() / 2, 32);
    EXPECT_LE(mother.height(), 33);
    const auto [left, right] = litColumns(mother);
    EXPECT_EQ(left + right, 64) << "the saucer is drawn around the middle column";
    EXPECT_TRUE(isBlack(mother, 0, 0));
}

TEST(Files, BaseIsABunkerBetweenRow320AndTheShipRow)
{
    const QImage base = loadPicture("base.bmp");
    EXPECT_GE(base.width(), 60);
    EXPECT_LE(base.width(), 90);
    EXPECT_GE(base.height(), 40);
    EXPECT_LE(320 + base.height(), 400 - 24) << "room for the ship below";
    const int mid = base.width() / 2, bottom = base.height() - 1;
    EXPECT_TRUE(isBlack(base, 0, 0)) << "rounded shoulder";
    EXPECT_TRUE(isBlack(base, base.width() - 1, 0)) << "rounded shoulder";
    EXPECT_FALSE(isBlack(base, mid, 0)) << "solid roof";
    EXPECT_FALSE(isBlack(base, 0, bottom)) << "left foot";
    EXPECT_FALSE(isBlack(base, base.width() - 1, bottom)) << "right foot";
    EXPECT_TRUE(isBlack(base, mid, bottom)) << "arch";
    EXPECT_FALSE(isBlack(base, mid, base.height() / 4)) << "solid above the arch";
}

TEST(Files, NoPictureWearsTheColourOfABombOrTheMissile)
{
    const long pureYellow = 65535, pureGreen = 65280;
    for (const char* name : Pictures) {
        const QImage picture = loadPicture(name);
        int lit = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const long c = colourNumber(picture.pixel(x, y));
                EXPECT_NE(c, pureYellow) << name << " at " << x << "," << y;
                EXPECT_NE(c, pureGreen) << name << " at " << x << "," << y;
                lit += c != 0;
            }
        EXPECT_GT(lit, 0) << name;
        EXPECT_LT(lit, picture.width() * picture.height()) << name << " needs black around it";
    }
}

TEST(Files, EverySoundIs16BitPcmOfItsLength)
{
    struct Expected {
        const char* name;
        double shortest, longest;
    };
    const Expected sounds[] = {
        {"Sheet.wav", 1.2, 1.8},    {"Fire.wav", 0.1, 0.35},   {"note1.wav", 0.07, 0.15},
        {"note2.wav", 0.07, 0.15},  {"note3.wav", 0.07, 0.15}, {"note4.wav", 0.07, 0.15},
        {"mother.wav", 2.5, 3.5},   {"expl.wav", 0.4, 0.9},    {"invader.wav", 0.15, 0.5},
        {"Smallexp.wav", 0.5, 1.2}, {"high.wav", 1.0, 2.0},
    };
    for (const Expected& e : sounds) {
        const Wav wav = readWav(e.name);
        EXPECT_EQ(wav.format, 1) << e.name << ": PCM";
        EXPECT_EQ(wav.channels, 1) << e.name;
        EXPECT_EQ(wav.bitsPerSample, 16) << e.name;
        EXPECT_TRUE(wav.sampleRate == 22050 || wav.sampleRate == 44100) << e.name;
        EXPECT_EQ(wav.blockAlign, 2) << e.name;
        EXPECT_EQ(wav.byteRate, wav.sampleRate * 2) << e.name;
        if (wav.sampleRate == 0) continue;
        EXPECT_GE(wav.seconds(), e.shortest) << e.name;
        EXPECT_LE(wav.seconds(), e.longest) << e.name;

        int peak = 0;
        for (std::int16_t s : wav.samples) peak = std::max(peak, std::abs(int(s)));
        EXPECT_GT(peak, 3000) << e.name << " is too quiet";
        EXPECT_LT(peak, 32767) << e.name << " clips";
    }
}

TEST(Files, TheMarchNotesStepDownInPitch)
{
    int previous = 1 << 30;
    for (const char* name : {"note1.wav", "note2.wav", "note3.wav", "note4.wav"}) {
        const Wav wav = readWav(name);
        int crossings = 0;
        for (std::size_t i = 1; i < wav.samples.size(); ++i)
            crossings += (wav.samples[i - 1] < 0) != (wav.samples[i] < 0);
        const double perSecond = crossings / 2.0 / wav.seconds();
        EXPECT_GT(perSecond, 60) << name << " is a bass note";
        EXPECT_LT(perSecond, 160) << name << " is a bass note";
        EXPECT_LT(crossings, previous) << name << " is lower than the note before";
        previous = crossings;
    }
}
