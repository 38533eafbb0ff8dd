// The two pictures compiled into the game: the starfield behind the play
// area, with its grey crescent moon in the top right corner, and the Earth
// icon with its transparent corners.
#include <gtest/gtest.h>

#include <QImage>
#include <QSet>

#include "resources/resources.h"

static bool isMoonGrey(QRgb c) { return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qRed(c) > 0 && qRed(c) < 255; }

TEST(Resources, TheStarfieldHoldsAboutSeventyStarsInEightColoursAndAGreyCrescent) {
    const QImage sky = starfieldPicture();
    ASSERT_EQ(sky.size(), QSize(549, 219));
    const QRect moonBox(QPoint(507, 28), QPoint(542, 74));
    auto lit = [&](int x, int y) { return sky.valid(x, y) && (sky.pixel(x, y) & 0xffffff) != 0; };
    QSet<QRgb> colours, greys;
    int stars = 0, moon = 0;
    for (int y = 0; y < sky.height(); ++y)
        for (int x = 0; x < sky.width(); ++x) {
            const QRgb c = sky.pixel(x, y) & 0xffffff;
            colours.insert(c);
            if (moonBox.contains(x, y)) {
                EXPECT_TRUE(isMoonGrey(c) || c == 0) << "a star in the moon at " << x << "," << y;
                if (isMoonGrey(c)) greys.insert(c), ++moon;
            } else {
                EXPECT_FALSE(isMoonGrey(c)) << "the moon outside its corner at " << x << "," << y;
                // A star begins at a lit pixel with nothing lit to its left or above.
                stars += lit(x, y) && !lit(x - 1, y) && !lit(x - 1, y - 1) && !lit(x, y - 1) && !lit(x + 1, y - 1);
            }
        }
    EXPECT_TRUE(colours.size() == 8 && colours.contains(0)) << colours.size() << " colours";
    EXPECT_TRUE(stars >= 65 && stars <= 85) << stars << " stars";
    EXPECT_TRUE(greys.size() == 2 && moon > 1000) << "a thick moon, lit and shaded: " << moon;
    // A crescent: lit on its right edge, dark in the middle of its left side.
    EXPECT_TRUE(isMoonGrey(sky.pixel(541, 51)));
    EXPECT_EQ(sky.pixel(510, 51) & 0xffffff, 0u);
}

TEST(Resources, TheEarthIconIsASolidGlobeOnTransparentCorners) {
    const QImage icon = earthIcon();
    ASSERT_EQ(icon.size(), QSize(32, 32));
    for (const QPoint corner : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31)})
        EXPECT_EQ(qAlpha(icon.pixel(corner)), 0) << corner.x() << "," << corner.y();
    EXPECT_EQ(qAlpha(icon.pixel(16, 16)), 255);
    QSet<QRgb> colours;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            colours.insert(icon.pixel(x, y));
            EXPECT_TRUE(qAlpha(icon.pixel(x, y)) == 0 || qAlpha(icon.pixel(x, y)) == 255) << x << "," << y;
        }
    EXPECT_LE(colours.size(), 16);
}
