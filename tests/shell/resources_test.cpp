// The two pictures compiled into the game: the starfield behind the play
// area, with its grey crescent moon in the top right corner, and the Earth
// icon with its transparent corners.
#include <gtest/gtest.h>

#include <QSet>

#include "resources/resources.h"

static constexpr QRgb Night = qRgb(0, 0, 0);

static bool isMoonGrey(QRgb c) { return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qRed(c) > 0 && qRed(c) < 255; }
static bool isStar(QRgb c) { return c != Night && !isMoonGrey(c); }

TEST(Resources, TheStarfieldHoldsAboutSeventyStarsInEightColoursAndAGreyCrescent) {
    const QImage sky = starfieldPicture().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(sky.size(), QSize(549, 219));
    const QRect moonBox(QPoint(507, 28), QPoint(542, 74));
    auto star = [&](int x, int y) { return sky.valid(x, y) && isStar(sky.pixel(x, y)); };
    QSet<QRgb> colours, greys;
    int stars = 0, moon = 0;
    for (int y = 0; y < sky.height(); ++y)
        for (int x = 0; x < sky.width(); ++x) {
            const QRgb c = sky.pixel(x, y);
            colours.insert(c);
            // The moon's corner holds nothing but the moon, and nothing else is its grey.
            EXPECT_TRUE(moonBox.contains(x, y) ? !isStar(c) : !isMoonGrey(c)) << "at " << x << "," << y;
            if (isMoonGrey(c)) greys.insert(c), ++moon;
            // A star begins where nothing of a star lies to its left or above.
            stars += star(x, y) && !star(x - 1, y) && !star(x - 1, y - 1) && !star(x, y - 1) && !star(x + 1, y - 1);
        }
    EXPECT_TRUE(colours.size() == 8 && colours.contains(Night)) << colours.size() << " colours";
    EXPECT_TRUE(stars >= 65 && stars <= 85) << stars << " stars";
    // A thick moon, lit and shaded; a crescent, lit on its right edge and dark in the middle of its left side.
    EXPECT_TRUE(greys.size() == 2 && moon > 1000 && isMoonGrey(sky.pixel(541, 51)) && sky.pixel(510, 51) == Night)
        << moon << " pixels of moon";
}

TEST(Resources, TheEarthIconIsASolidGlobeOnTransparentCorners) {
    const QImage icon = earthIcon().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(icon.size(), QSize(32, 32));
    for (const int x : {0, 31}) EXPECT_EQ(qAlpha(icon.pixel(x, 0)) + qAlpha(icon.pixel(x, 31)), 0) << "at x " << x;
    EXPECT_EQ(qAlpha(icon.pixel(16, 16)), 255);
    const auto* pixels = reinterpret_cast<const QRgb*>(icon.constBits());  // row after row, 32 to a row
    const QSet<QRgb> colours(pixels, pixels + 32 * 32);
    for (const QRgb c : colours) EXPECT_TRUE(qAlpha(c) == 0 || qAlpha(c) == 255) << "a half-transparent colour " << c;
    EXPECT_LE(colours.size(), 16);
}
