// The Earth icon compiled into the game, at every size a desktop asks for:
// enlarged from its drawings without smoothing.
#include <gtest/gtest.h>

#include <QSet>

#include "resources/resources.h"

static QSet<QRgb> coloursOf(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
    return colours;
}

TEST(Resources, TheEarthIconComesAtEverySizeWithHardPixels) {
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
}
