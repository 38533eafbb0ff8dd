// The one visible surface: what the player sees is what the game reads
// back, drawings sit on top of the controls, and a control that changes
// takes the drawings under it away, telling the host only what changed.
#include "tests/support/GameTest.h"

using SurfaceTest = GameTest;

TEST_F(SurfaceTest, MovingShowingOrHidingAControlRemovesTheDrawingsUnderIt) {
    load();
    Image& ship = form->Image36;
    const QRect before = ship.rect();
    const auto paintAll = [this] { form->surface.box(0, 0, Surface::Width - 1, Surface::Height - 1, Yellow); };
    paintAll();
    form->surface.takeDirty();
    form->surface.pset(10, 300, Green);
    ship.move(300, 400);
    EXPECT_EQ(form->surface.takeDirty(), QRegion(before) + ship.rect() + QRect(10, 300, 1, 1))
        << "the host is told the changes";
    EXPECT_TRUE(form->surface.takeDirty().isNull()) << "and told once";
    EXPECT_EQ(count(before, Yellow), 0) << "the old place is painted afresh";
    EXPECT_NE(pixel(314, 400 + ship.height() - 1), Yellow) << "the new place shows the ship";
    EXPECT_EQ(pixel(before.right() + 2, before.top()), Yellow) << "beside it the drawing stays";

    paintAll();
    ship.move(300, 400);
    EXPECT_EQ(count(ship.rect(), Yellow), 0) << "a move repaints even in place";

    paintAll();
    ship.hide();
    ship.move(100, 400);
    EXPECT_EQ(pixel(314, 405), Black) << "a hidden ship shows the night sky";
    EXPECT_EQ(count(ship.rect(), Yellow), ship.width() * ship.height()) << "a hidden control's move repaints nothing";
    ship.show();
    EXPECT_EQ(count(ship.rect(), Yellow), 0);

    // The score label runs past the window's right edge and is cut there.
    paintAll();
    form->Label3.setCaption(QStringLiteral("Score:  120"));
    EXPECT_EQ(count(QRect(504, 0, Surface::Width - 504, 25), Yellow), 0);
}

// The host repaints what the game changed and little more: however many
// changes there are, they come as a few rectangles that cover every one.
// That far-apart changes stay apart is looked at with a control's move.
TEST_F(SurfaceTest, ManyChangesComeAsAFewRectangles) {
    load();
    Surface& surface = form->surface;
    surface.takeDirty();
    QRegion drawn;
    for (int i = 0; i < 40; ++i) {
        const QRect bomb(15 * i, 10 * i, 3, 3);
        surface.box(bomb.left(), bomb.top(), bomb.right(), bomb.bottom(), Yellow);
        drawn += bomb;
    }
    const QRegion dirty = surface.takeDirty();
    EXPECT_TRUE((drawn - dirty).isEmpty()) << "every bomb is repainted";
    int area = 0;
    for (const QRect& rect : dirty) area += rect.width() * rect.height();
    EXPECT_LT(area, Surface::Width * Surface::Height / 5) << "a diagonal of bombs is not the whole area";
}

TEST_F(SurfaceTest, PicturesShowAsDrawnTheSkyIsBlackBeyondTheStarfieldAndDrawingsAreClipped) {
    load();
    const QImage loaded = form->surface.image().copy();
    const Image& base = form->imgbases[0];
    const QRgb corner = base.picture().pixel(base.width() - 1, base.height() - 1);  // what the game reads back
    EXPECT_EQ(pixel(base.rect().right(), base.rect().bottom()), RGB(qRed(corner), qGreen(corner), qBlue(corner)));
    // Right of the starfield and below it.
    EXPECT_EQ(count(QRect(549, 30, 78, 280), Black) + count(QRect(0, 219, 40, 100), Black), 78 * 280 + 40 * 100);
    // The bottom right pixel is the last; nothing lies outside.
    EXPECT_EQ(std::vector<Long>({pixel(626, 435), pixel(-1, 100), pixel(627, 100), pixel(100, 436), pixel(100, -1)}),
              std::vector<Long>({Black, -1, -1, -1, -1}));

    // Corners are part of a box.
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
    EXPECT_EQ(form->surface.image(), loaded);
}

TEST_F(SurfaceTest, AHiddenControlTakesANewPictureOrCaptionWithoutTouchingTheDrawings) {
    load();
    form->PlaceInvaders();
    form->arrInvDead[1] = true;
    form->Timer1_Timer();  // hides the destroyed invader
    const QRect dead = form->inv[0].rect(), living = form->inv[1].rect();
    ASSERT_FALSE(form->inv[0].visible());
    form->surface.box(dead.left() + 4, dead.top() + 4, dead.left() + 6, dead.top() + 6, Yellow);  // a bomb
    form->surface.box(living.left() + 4, living.top() + 4, living.left() + 6, living.top() + 6, Yellow);
    const QRect help = form->Label5.rect();
    form->surface.box(help.left() + 2, help.top() + 2, help.left() + 3, help.top() + 9, Green);  // a missile

    form->Timer1_Timer();  // every invader, hidden or not, gets the other picture
    form->Label5.setCaption(QStringLiteral("  KEYS"));
    form->Label5.refresh();

    EXPECT_EQ(count(dead, Yellow), 9) << "the bomb over the hidden invader is still there to be shot";
    EXPECT_EQ(count(living, Yellow), 0) << "a shown invader is painted afresh";
    EXPECT_EQ(count(help, Green), 16) << "the hidden help line left the missile alone";
}
