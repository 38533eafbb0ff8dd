// The two pictures compiled into the game: the starfield behind the play
// area (its size, its eight colours, its tinted stars and its grey moon in
// the top right corner) and the Earth icon with its transparent corners.
#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <QSet>

#include <algorithm>
#include <vector>

#include "resources/resources.h"

namespace {

const QRect MoonBox(QPoint(507, 28), QPoint(542, 74));

bool isMoonGrey(QRgb c) { return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qRed(c) > 0 && qRed(c) < 255; }

// The lit pixels joined to (x, y), side by side or corner to corner,
// blacked out as they are counted.
int takeStar(QImage& sky, int x, int y)
{
    int size = 0;
    std::vector<QPoint> todo{{x, y}};
    while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        if (!sky.valid(p) || (sky.pixel(p) & 0xffffff) == 0) continue;
        sky.setPixel(p, qRgb(0, 0, 0));
        ++size;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) todo.push_back(p + QPoint(dx, dy));
    }
    return size;
}

} // namespace

TEST(Starfield, IsANightSkyOfEightColours)
{
    const QImage sky = starfieldPicture();
    ASSERT_EQ(sky.size(), QSize(549, 219));
    EXPECT_EQ(sky.format(), QImage::Format_RGB32);

    QSet<QRgb> colours;
    int lit = 0;
    for (int y = 0; y < sky.height(); ++y)
        for (int x = 0; x < sky.width(); ++x) {
            const QRgb c = sky.pixel(x, y) & 0xffffff;
            colours.insert(c);
            lit += c != 0;
        }
    EXPECT_EQ(colours.size(), 8);
    EXPECT_TRUE(colours.contains(0));
    EXPECT_GE(lit, 1300);
    EXPECT_LE(lit, 1480);
}

TEST(Starfield, MoonIsAThickGreyCrescentInTheTopRightCorner)
{
    const QImage sky = starfieldPicture();
    QSet<QRgb> greys;
    int moon = 0;
    for (int y = 0; y < sky.height(); ++y)
        for (int x = 0; x < sky.width(); ++x) {
            const QRgb c = sky.pixel(x, y);
            if (MoonBox.contains(x, y)) {
                EXPECT_TRUE(isMoonGrey(c) || (c & 0xffffff) == 0) << "star in the moon at " << x << "," << y;
            } else {
                EXPECT_FALSE(isMoonGrey(c)) << "moon outside its box at " << x << "," << y;
            }
            if (isMoonGrey(c)) {
                greys.insert(c);
                ++moon;
            }
        }
    EXPECT_EQ(greys.size(), 2) << "lit and shaded";
    EXPECT_GT(moon, 1000);
    // A crescent: lit on its right edge, dark in the middle of its left side.
    EXPECT_TRUE(isMoonGrey(sky.pixel(541, 51)));
    EXPECT_EQ(sky.pixel(510, 51) & 0xffffff, 0u);
}

TEST(Starfield, HoldsAboutSeventyStarsSomeOfThemTinted)
{
    QImage sky = starfieldPicture();
    bool yellow = false, orange = false, darkRed = false, lightBlue = false;
    int stars = 0, biggest = 0;
    for (int y = 0; y < sky.height(); ++y)
        for (int x = 0; x < sky.width(); ++x) {
            if (MoonBox.contains(x, y)) continue;
            const QRgb c = sky.pixel(x, y);
            const int r = qRed(c), g = qGreen(c), b = qBlue(c);
            yellow = yellow || (r > 200 && g > 200 && b < 150);
            orange = orange || (r > 200 && g > 100 && g < 190 && b < 100);
            darkRed = darkRed || (r > 90 && r < 200 && g < 60 && b < 60);
            lightBlue = lightBlue || (b > 200 && g > 150 && r < b);
            if ((c & 0xffffff) == 0) continue;
            biggest = std::max(biggest, takeStar(sky, x, y));
            ++stars;
        }
    EXPECT_TRUE(yellow);
    EXPECT_TRUE(orange);
    EXPECT_TRUE(darkRed);
    EXPECT_TRUE(lightBlue);
    EXPECT_GE(stars, 65);
    EXPECT_LE(stars, 85);
    EXPECT_GE(biggest, 9) << "one star stands out";
}

TEST(EarthIcon, IsARoundGlobeOnTransparentCorners)
{
    const QImage icon = earthIcon();
    ASSERT_EQ(icon.size(), QSize(32, 32));
    EXPECT_TRUE(icon.hasAlphaChannel());
    for (const QPoint corner : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31)})
        EXPECT_EQ(qAlpha(icon.pixel(corner)), 0) << corner.x() << "," << corner.y();

    QSet<QRgb> colours;
    bool outline = false, ocean = false, land = false;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QRgb c = icon.pixel(x, y);
            colours.insert(c);
            if (qAlpha(c) == 0) continue;
            EXPECT_EQ(qAlpha(c), 255);
            outline = outline || (c & 0xffffff) == 0;
            ocean = ocean || (qBlue(c) > qRed(c) + 60 && qBlue(c) > qGreen(c));
            land = land || (qGreen(c) > qRed(c) + 40 && qGreen(c) > qBlue(c) + 40);
        }
    EXPECT_LE(colours.size(), 16);
    EXPECT_TRUE(outline);
    EXPECT_TRUE(ocean);
    EXPECT_TRUE(land);
    EXPECT_EQ(qAlpha(icon.pixel(16, 16)), 255) << "the globe is solid";
}
