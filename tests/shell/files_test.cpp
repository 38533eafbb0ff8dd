// The pictures and sounds that the build writes beside the program: each
// picture has the size the game's layout counts on and never borrows the
// colours of bombs and the missile, and each sound is a 16-bit PCM WAV of
// about the length its moment in the game lasts.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include <vector>

static QString inBin(const char* fileName) { return QString(VORLANE_BIN_DIR) + "/" + fileName; }

// The little-endian numbers of 2 and 4 bytes at `at`.
static quint32 le(const QByteArray& b, qsizetype at, int size) {
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<uchar>(b.at(at + i));
    return value;
}
static quint16 le16(const QByteArray& b, qsizetype at) { return static_cast<quint16>(le(b, at, 2)); }
static quint32 le32(const QByteArray& b, qsizetype at) { return le(b, at, 4); }

TEST(Files, PicturesHaveTheirSizesAndCentresAndNoneWearsABombOrMissileColour) {
    // centre: the middle of the topmost lit row, where the missile leaves
    // the ship and where the mothership's bonus is largest; -1 for none.
    // A base leaves 24 rows for the ship between row 320 and row 400.
    const struct { const char* name; QSize least, most; int centre; } pictures[] = {
        {"invader.bmp", {17, 15}, {17, 15}, -1}, {"invader1.bmp", {17, 15}, {17, 15}, -1},
        {"invexpl.bmp", {17, 15}, {17, 15}, -1}, {"ship.bmp", {29, 1}, {29, 36}, 14},
        {"Mother.bmp", {64, 1}, {65, 33}, 32},   {"base.bmp", {60, 40}, {90, 400 - 24 - 320}, -1}};
    for (const auto& p : pictures) {
        const QImage picture(inBin(p.name));
        EXPECT_EQ(picture.size().expandedTo(p.least).boundedTo(p.most), picture.size()) << p.name;
        int lit = 0, top = -1, left = 0, right = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb c = picture.pixel(x, y) & 0xffffff;
                EXPECT_TRUE(c != 0xffff00 && c != 0x00ff00) << p.name << ": pure yellow or green at " << x << "," << y;
                if (c == 0) continue;
                if (lit++ == 0) top = y, left = x;
                if (y == top) right = x;
            }
        EXPECT_TRUE(lit > 0 && lit < picture.width() * picture.height()) << p.name << " is drawn on black";
        if (p.centre >= 0) { EXPECT_EQ(left + right, 2 * p.centre) << p.name; }
    }
    EXPECT_NE(QImage(inBin("invader.bmp")), QImage(inBin("invader1.bmp"))) << "the march needs two poses";
}

TEST(Files, EverySoundIs16BitPcmOfItsLength) {
    const struct { const char* name; double shortest, longest; } sounds[] = {
        {"Sheet.wav", 1.2, 1.8},    {"Fire.wav", 0.1, 0.35},    {"note1.wav", 0.07, 0.15}, {"note2.wav", 0.07, 0.15},
        {"note3.wav", 0.07, 0.15},  {"note4.wav", 0.07, 0.15},  {"mother.wav", 2.5, 3.5},  {"expl.wav", 0.4, 0.9},
        {"invader.wav", 0.15, 0.5}, {"Smallexp.wav", 0.5, 1.2}, {"high.wav", 1.0, 2.0}};
    for (const auto& e : sounds) {
        QFile file(inBin(e.name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << e.name;
        const QByteArray bytes = file.readAll();
        ASSERT_TRUE(bytes.size() >= 44 && bytes.startsWith("RIFF") && bytes.mid(8, 8) == "WAVEfmt " &&
                    bytes.mid(36, 4) == "data") << e.name;
        // The RIFF size; a 16-byte "fmt " chunk: PCM, one channel, two bytes a sample in the byte rate and in
        // each block, 16 bits a sample; then the samples, to the file's end.
        const quint32 rate = le32(bytes, 24), samples = quint32(bytes.size() - 44) / 2;
        EXPECT_EQ(std::vector<quint32>({le32(bytes, 4), le32(bytes, 16), le16(bytes, 20), le16(bytes, 22),
                                        le32(bytes, 28), le16(bytes, 32), le16(bytes, 34), le32(bytes, 40)}),
                  std::vector<quint32>({quint32(bytes.size() - 8), 16, 1, 1, 2 * rate, 2, 16, 2 * samples})) << e.name;
        const double seconds = double(samples) / rate;
        EXPECT_TRUE((rate == 22050 || rate == 44100) && seconds >= e.shortest && seconds <= e.longest)
            << e.name << " at " << rate << " Hz lasts " << seconds << " s";
        int peak = 0;
        for (qsizetype at = 44; at + 1 < bytes.size(); at += 2) peak = qMax(peak, qAbs(int(qint16(le16(bytes, at)))));
        EXPECT_TRUE(peak > 3000 && peak < 32767) << e.name << " peaks at " << peak << ": too quiet or clipping";
    }
}
