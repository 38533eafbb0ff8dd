// The pictures that the build writes beside the program: none borrows the
// pure yellow of the bombs or the pure green of the missile, which the game
// finds its hits by, and the invader has two poses to march in.
#include <gtest/gtest.h>

#include <QImage>

static QString inBin(const char* fileName) { return QString(VORLANE_BIN_DIR) + "/" + fileName; }

TEST(Files, NoPictureWearsABombOrMissileColour) {
    for (const char* name : {"invader.bmp", "invader1.bmp", "invexpl.bmp", "ship.bmp", "Mother.bmp", "base.bmp"}) {
        const QImage picture(inBin(name));
        ASSERT_FALSE(picture.isNull()) << name;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb c = picture.pixel(x, y) & 0xffffff;
                EXPECT_TRUE(c != 0xffff00 && c != 0x00ff00) << name << ": pure yellow or green at " << x << "," << y;
            }
    }
    EXPECT_NE(QImage(inBin("invader.bmp")), QImage(inBin("invader1.bmp"))) << "the march needs two poses";
}
