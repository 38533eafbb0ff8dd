// The one visible surface: what the player sees is what the game reads
// back, drawings sit on top of the controls, and a control that changes
// takes the drawings under it away.
#include "tests/support/GameTest.h"

using SurfaceTest = GameTest;

TEST_F(SurfaceTest, ABoxOverABaseReadsAsTheBoxAndTheRestAsThePicture) {
    load();
    const Image& base = form->imgbases[0];
    const QImage picture = base.picture();
    const QPoint inside(base.left() + base.width() / 2, base.top() + base.height() / 4);

    form->surface.box(inside.x(), inside.y(), inside.x() + 2, inside.y() + 2, Yellow);

    EXPECT_EQ(pixel(inside.x(), inside.y()), Yellow);
    EXPECT_EQ(pixel(inside.x() + 2, inside.y() + 2), Yellow) << "corners are part of the box";
    const QRgb untouched = picture.pixel(base.width() - 1 - 0, base.height() - 1);
    EXPECT_EQ(pixel(base.left() + base.width() - 1, base.top() + base.height() - 1),
              qRed(untouched) + 256 * qGreen(untouched) + 65536 * qBlue(untouched));
}

TEST_F(SurfaceTest, MovingShowingOrHidingAControlRemovesTheDrawingsUnderIt) {
    load();
    Image& ship = form->Image36;
    const QRect before = ship.rect();
    form->surface.box(0, 0, Surface::Width - 1, Surface::Height - 1, Yellow);

    ship.move(300, 400);

    EXPECT_NE(pixel(before.left() + 14, before.bottom()), Yellow) << "the old place is painted afresh";
    EXPECT_NE(pixel(314, 400 + ship.height() - 1), Yellow) << "the new place shows the ship";
    EXPECT_EQ(pixel(before.right() + 2, before.top()), Yellow) << "beside it the drawing stays";

    form->surface.box(0, 0, Surface::Width - 1, Surface::Height - 1, Yellow);
    ship.move(300, 400);
    EXPECT_EQ(count(ship.rect(), Yellow), 0) << "a move repaints even in place";

    form->surface.box(0, 0, Surface::Width - 1, Surface::Height - 1, Yellow);
    ship.hide();
    EXPECT_EQ(count(ship.rect(), Yellow), 0);
    EXPECT_EQ(pixel(ship.left() + 14, ship.top() + 5), Black) << "a hidden ship shows the night sky";

    form->surface.box(0, 0, Surface::Width - 1, Surface::Height - 1, Yellow);
    ship.move(100, 400);
    EXPECT_EQ(count(QRect(300, 400, ship.width(), ship.height()), Yellow), ship.width() * ship.height())
        << "a hidden control's move repaints nothing";

    ship.show();
    EXPECT_EQ(count(ship.rect(), Yellow), 0);
}

TEST_F(SurfaceTest, TheSkyIsBlackBeyondTheStarfieldAndNothingLiesOutside) {
    load();
    EXPECT_EQ(count(QRect(549, 30, 78, 280), Black), 78 * 280);
    EXPECT_EQ(count(QRect(0, 219, 40, 100), Black), 40 * 100);
    EXPECT_EQ(pixel(-1, 100), -1);
    EXPECT_EQ(pixel(627, 100), -1);
    EXPECT_EQ(pixel(100, 436), -1);
    EXPECT_EQ(pixel(100, -1), -1);
    EXPECT_EQ(pixel(626, 435), Black);
}

TEST_F(SurfaceTest, DrawingIsClippedAndClearTakesItAllAway) {
    load();
    form->surface.box(620, 430, 700, 500, Yellow);
    form->surface.circle(0, 0, 10, Green);
    form->surface.pset(-5, 3, Yellow);

    EXPECT_EQ(count(QRect(620, 430, 7, 6), Yellow), 42);
    EXPECT_EQ(pixel(10, 0), Green);
    EXPECT_EQ(pixel(0, 10), Green);

    form->surface.clear();
    EXPECT_EQ(count(QRect(600, 400, 27, 36), Yellow), 0);
    EXPECT_EQ(pixel(0, 10), Black);
}

TEST_F(SurfaceTest, ACircleIsAOnePixelOutlineAndRadiusZeroIsAPoint) {
    load();
    form->surface.circle(300, 250, 5, Green);
    form->surface.circle(200, 250, 0, Green);

    EXPECT_EQ(pixel(305, 250), Green);
    EXPECT_EQ(pixel(295, 250), Green);
    EXPECT_EQ(pixel(300, 245), Green);
    EXPECT_EQ(pixel(300, 255), Green);
    EXPECT_EQ(pixel(300, 250), Black) << "the middle stays empty";
    EXPECT_EQ(count(QRect(199, 249, 3, 3), Green), 1);
}

TEST_F(SurfaceTest, TheHostIsToldOnlyWhatChanged) {
    load();
    form->surface.takeDirty();

    form->surface.pset(10, 300, Yellow);
    form->Label5.show();

    const QRect dirty = form->surface.takeDirty();
    EXPECT_TRUE(dirty.contains(10, 300));
    EXPECT_TRUE(dirty.contains(form->Label5.rect()));
    EXPECT_FALSE(dirty.contains(QRect(0, 0, Surface::Width, Surface::Height)));
    EXPECT_TRUE(form->surface.takeDirty().isNull());
}

TEST_F(SurfaceTest, TheScoreLabelIsCutOffAtTheRightEdge) {
    load();
    const Label& score = form->Label3;
    EXPECT_EQ(score.left() + score.width(), 633);
    form->surface.box(0, 0, Surface::Width - 1, Surface::Height - 1, Yellow);
    form->Label3.setCaption(QStringLiteral("Score:  120"));
    EXPECT_EQ(count(QRect(504, 0, 123, 25), Yellow), 0);
    EXPECT_EQ(pixel(633, 5), -1);
}
