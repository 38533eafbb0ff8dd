// The one visible surface: what the player sees is what the game reads
// back, drawings sit on top of the controls, and a control that changes
// takes the drawings under it away.
#include "tests/support/GameTest.h"

using SurfaceTest = GameTest;

TEST_F(SurfaceTest, ABoxOverABaseReadsAsTheBoxAndTheRestAsThePicture) {
    load();
    const Image& base = form->imgbases[0];
    form->surface.box(base.left() + 36, base.top() + 14, base.left() + 38, base.top() + 16, Yellow);
    EXPECT_EQ(count(QRect(base.left() + 36, base.top() + 14, 3, 3), Yellow), 9) << "corners are part of the box";
    const QRgb corner = base.picture().pixel(base.width() - 1, base.height() - 1);
    EXPECT_EQ(pixel(base.left() + base.width() - 1, base.top() + base.height() - 1),
              qRed(corner) + 256 * qGreen(corner) + 65536 * qBlue(corner));
}

TEST_F(SurfaceTest, MovingShowingOrHidingAControlRemovesTheDrawingsUnderIt) {
    load();
    Image& ship = form->Image36;
    const QRect before = ship.rect();
    const auto paintAll = [this] { form->surface.box(0, 0, Surface::Width - 1, Surface::Height - 1, Yellow); };
    paintAll();
    ship.move(300, 400);
    EXPECT_EQ(count(before, Yellow), 0) << "the old place is painted afresh";
    EXPECT_NE(pixel(314, 400 + ship.height() - 1), Yellow) << "the new place shows the ship";
    EXPECT_EQ(pixel(before.right() + 2, before.top()), Yellow) << "beside it the drawing stays";

    paintAll();
    ship.move(300, 400);
    EXPECT_EQ(count(ship.rect(), Yellow), 0) << "a move repaints even in place";

    paintAll();
    ship.hide();
    EXPECT_EQ(pixel(ship.left() + 14, ship.top() + 5), Black) << "a hidden ship shows the night sky";

    paintAll();
    ship.move(100, 400);
    EXPECT_EQ(count(QRect(300, 400, ship.width(), ship.height()), Yellow), ship.width() * ship.height())
        << "a hidden control's move repaints nothing";
    ship.show();
    EXPECT_EQ(count(ship.rect(), Yellow), 0);

    // The score label runs past the window's right edge and is cut there.
    EXPECT_GT(form->Label3.left() + form->Label3.width(), Surface::Width);
    paintAll();
    form->Label3.setCaption(QStringLiteral("Score:  120"));
    EXPECT_EQ(count(QRect(504, 0, Surface::Width - 504, 25), Yellow), 0);
}

TEST_F(SurfaceTest, TheSkyIsBlackBeyondTheStarfieldAndDrawingsAreClippedOutlinesAndBoxes) {
    load();
    // Right of the starfield and below it.
    EXPECT_EQ(count(QRect(549, 30, 78, 280), Black) + count(QRect(0, 219, 40, 100), Black), 78 * 280 + 40 * 100);
    // The bottom right pixel is the last; nothing lies outside.
    EXPECT_EQ(std::vector<Long>({pixel(626, 435), pixel(-1, 100), pixel(627, 100), pixel(100, 436), pixel(100, -1)}),
              std::vector<Long>({Black, -1, -1, -1, -1}));

    form->surface.box(620, 430, 700, 500, Yellow);
    form->surface.circle(0, 0, 10, Green);
    form->surface.pset(-5, 3, Yellow);
    EXPECT_EQ(count(QRect(620, 430, 7, 6), Yellow), 42);
    EXPECT_TRUE(pixel(10, 0) == Green && pixel(0, 10) == Green);

    // A circle is a one-pixel outline; radius 0 is a single point.
    form->surface.circle(300, 250, 5, Green);
    form->surface.circle(200, 250, 0, Green);
    EXPECT_EQ(std::vector<Long>({pixel(305, 250), pixel(295, 250), pixel(300, 245), pixel(300, 255), pixel(300, 250)}),
              std::vector<Long>({Green, Green, Green, Green, Black}));
    EXPECT_EQ(count(QRect(199, 249, 3, 3), Green), 1);

    form->surface.clear();
    EXPECT_EQ(count(QRect(600, 400, 27, 36), Yellow), 0);
    EXPECT_TRUE(pixel(0, 10) == Black && pixel(305, 250) == Black);
}

TEST_F(SurfaceTest, TheHostIsToldOnlyWhatChanged) {
    load();
    form->surface.takeDirty();
    form->surface.pset(10, 300, Yellow);
    form->Label5.show();
    const QRect dirty = form->surface.takeDirty();
    EXPECT_TRUE(dirty.contains(10, 300) && dirty.contains(form->Label5.rect()) && dirty.width() < Surface::Width);
    EXPECT_TRUE(form->surface.takeDirty().isNull());
}
