// The pictures and sounds that the build writes beside the program: each
// picture has the size the game's layout counts on and never borrows the
// colours of bombs and the missile, and each sound is a 16-bit PCM WAV of
// about the length its moment in the game lasts.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include <cstdint>
#include <vector>

static QString inBin(const char* fileName) { return QString(VORLANE_BIN_DIR) + "/" + fileName; }

// The little-endian number of `size` bytes at `at`.
static std::uint32_t le(const QByteArray& bytes, qsizetype at, int size) {
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = v << 8 | std::uint8_t(bytes[at + i]);
    return v;
}

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
        ASSERT_TRUE(bytes.size() >= 44 && bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WAVE") << e.name;
        EXPECT_EQ(le(bytes, 4, 4), std::uint32_t(bytes.size() - 8)) << e.name;
        // Every chunk lies within the file; "fmt " and "data" are among them.
        qsizetype fmt = -1, data = -1, size = 0;
        for (qsizetype at = 12; at + 8 <= bytes.size(); at += 8 + size + (size & 1)) {
            size = le(bytes, at + 4, 4);
            EXPECT_LE(at + 8 + size, bytes.size()) << e.name;
            if (bytes.mid(at, 4) == "fmt ") fmt = at + 8;
            if (bytes.mid(at, 4) == "data") data = at;
        }
        ASSERT_TRUE(fmt > 0 && data > 0) << e.name;
        const std::uint32_t rate = le(bytes, fmt + 4, 4), samples = le(bytes, data + 4, 4) / 2;
        ASSERT_TRUE(rate == 22050 || rate == 44100) << e.name;
        // PCM, one channel, two bytes a sample in the byte rate and in each block, 16 bits a sample.
        const auto field = [&](int offset, int size) { return le(bytes, fmt + offset, size); };
        EXPECT_EQ(std::vector<std::uint32_t>({field(0, 2), field(2, 2), field(8, 4), field(12, 2), field(14, 2)}),
                  std::vector<std::uint32_t>({1, 1, 2 * rate, 2, 16})) << e.name;
        const double seconds = double(samples) / rate;
        EXPECT_TRUE(seconds >= e.shortest && seconds <= e.longest) << e.name << " lasts " << seconds << " s";
        int peak = 0;
        for (qsizetype at = data + 8; at + 1 < qMin(bytes.size(), data + 8 + 2 * qsizetype(samples)); at += 2)
            peak = qMax(peak, qAbs(int(std::int16_t(le(bytes, at, 2)))));
        EXPECT_TRUE(peak > 3000 && peak < 32767) << e.name << " peaks at " << peak << ": too quiet or clipping";
    }
}
