// The pictures compiled into the game: the starfield behind the play
// area, with its grey crescent moon in the top right corner, and the Earth
// icon with its transparent corners, at every size a desktop asks for.
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

static QSet<QRgb> coloursOf(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
    return colours;
}

TEST(Resources, TheEarthIconComesAtEverySizeWithHardPixelsAndADrawingOfItsOwnAt16) {
    const std::vector<QImage> icons = earthIcons();
    const QImage small = earthIconSmall(), large = earthIcon();
    std::vector<int> sizes;
    for (const QImage& icon : icons) sizes.push_back(icon.width() == icon.height() ? icon.width() : -1);
    ASSERT_EQ(sizes, (std::vector<int>{16, 24, 32, 48, 64, 128, 256}));

    // Enlarged, never smoothed: no colour the drawing lacks, and at whole
    // scales every block of one drawn pixel is that pixel.
    for (const QImage& icon : icons) {
        const QImage& drawing = icon.width() < 32 ? small : large;
        EXPECT_TRUE(coloursOf(drawing).contains(coloursOf(icon))) << icon.width() << " px has colours of its own";
        const int scale = icon.width() / drawing.width();
        if (icon.width() % drawing.width() != 0) continue;
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x)
                ASSERT_EQ(icon.pixel(x, y), drawing.pixel(x / scale, y / scale)) << icon.width() << " px at " << x << "," << y;
    }

    // The 16 px Earth is drawn, not shrunk: in the same colours, round, and
    // closed in its black outline on every row and column.
    EXPECT_NE(small, large.scaled(16, 16, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    EXPECT_TRUE(coloursOf(large).contains(coloursOf(small)));
    EXPECT_EQ(qAlpha(small.pixel(0, 0)) + qAlpha(small.pixel(15, 0)) + qAlpha(small.pixel(0, 15)) + qAlpha(small.pixel(15, 15)), 0);
    const QRgb outline = qRgb(0, 0, 0);
    for (int i = 0; i < 16; ++i) {
        int first = -1, last = -1, top = -1, bottom = -1;
        for (int j = 0; j < 16; ++j) {
            if (qAlpha(small.pixel(j, i)) != 0) last = j, first = first < 0 ? j : first;
            if (qAlpha(small.pixel(i, j)) != 0) bottom = j, top = top < 0 ? j : top;
        }
        ASSERT_TRUE(first >= 0 && top >= 0) << "an empty row or column " << i;
        EXPECT_TRUE(small.pixel(first, i) == outline && small.pixel(last, i) == outline) << "row " << i;
        EXPECT_TRUE(small.pixel(i, top) == outline && small.pixel(i, bottom) == outline) << "column " << i;
    }
}
