// The window's view of the surface: the play area at the largest whole
// scale below the menu bar's strip, centred on black, and the "PAUSED" sign
// drawn by the window alone, never on the surface the game reads back.
#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>

#include "desktop/window/PlayArea.h"
#include "desktop/window/SurfaceWidget.h"
#include "tests/support/GameTest.h"

class SurfaceWidgetTest : public GameTest {
protected:
    SurfaceWidget view{form->surface};

    SurfaceWidgetTest() {
        load();
        // A strip of 19 rows for the menu bar, then 900 rows for the play
        // area: room for scale 2 with 23 columns and 14 rows to spare.
        view.reserveTop(19);
        view.resize(1300, 919);
    }
    QImage shown() { return view.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QImage surfaceAtScale2() const {
        return form->surface.image().scaled(1254, 872, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
};

TEST_F(SurfaceWidgetTest, ShowsThePlayAreaAtTheLargestWholeScaleCentredOnBlack) {
    const QImage picture = shown();
    EXPECT_EQ(picture.copy(23, 33, 1254, 872), surfaceAtScale2()) << "every surface pixel a 2 x 2 block";

    QImage black(1300, 919, QImage::Format_RGB32);
    black.fill(Qt::black);
    for (const QRect border : {QRect(0, 0, 1300, 33), QRect(0, 0, 23, 919), QRect(1277, 0, 23, 919),
                               QRect(0, 905, 1300, 14)})
        EXPECT_EQ(picture.copy(border), black.copy(border)) << "border " << border.x() << "," << border.y();

    // One column short of scale 2, the play area drops to scale 1 in the
    // middle.
    view.resize(1253, 919);
    EXPECT_EQ(shown().copy(313, 19 + 232, 627, 436), form->surface.image());
}

TEST_F(SurfaceWidgetTest, ThePauseSignCoversThePlayAreaButNotTheSurface) {
    const QImage before = form->surface.image().copy();
    view.setPaused(true);
    const QImage paused = shown();
    EXPECT_NE(paused.copy(23, 33, 1254, 872), surfaceAtScale2()) << "no sign over the play area";
    EXPECT_EQ(paused.copy(23, 33, 1254, 300), surfaceAtScale2().copy(0, 0, 1254, 300)) << "the sign is in the middle";
    EXPECT_EQ(form->surface.image(), before) << "the sign reached the surface";

    view.setPaused(false);
    EXPECT_EQ(shown().copy(23, 33, 1254, 872), surfaceAtScale2());
}

// A view that notes the part of itself each paint covers.
class WatchedView : public SurfaceWidget {
public:
    using SurfaceWidget::SurfaceWidget;
    QList<QRegion> painted;

protected:
    void paintEvent(QPaintEvent* event) override {
        painted << event->region();
        SurfaceWidget::paintEvent(event);
    }
};

TEST_F(SurfaceWidgetTest, RepaintsOnlyTheScaledPartTheGameChanged) {
    WatchedView watched(form->surface);
    watched.reserveTop(19);
    watched.resize(1300, 919);
    watched.show();
    QCoreApplication::processEvents();
    form->surface.takeDirty();
    watched.painted.clear();

    form->surface.pset(100, 50, RGB(255, 255, 0));
    form->surface.pset(600, 420, RGB(255, 255, 0));
    watched.showChangesNow();
    EXPECT_EQ(watched.painted,
              QList<QRegion>({QRegion(23 + 200, 33 + 100, 2, 2) + QRect(23 + 1200, 33 + 840, 2, 2)}));
}

// A part repainted alone shows, at every scale, each surface pixel as the
// whole block of device pixels the whole picture gives it, and the border
// beside it black.
TEST_F(SurfaceWidgetTest, APartRepaintedAloneMatchesTheWholePictureAtEveryScale) {
    form->surface.box(5, 5, 40, 30, RGB(255, 0, 0));
    for (const QSize size : {QSize(700, 19 + 500), QSize(1300, 919), QSize(1900, 19 + 1320)}) {
        view.resize(size);
        QImage whole(size, QImage::Format_RGB32);
        whole.fill(Qt::black);
        QPainter(&whole).drawImage(placeSurface(size - QSize(0, 19)).translated(0, 19), form->surface.image());
        EXPECT_EQ(shown(), whole) << size.width() << " wide, painted whole";
        // A band across the play area's left edge, and a block of the
        // starfield with an odd place and size.
        const QRegion part = QRegion(0, 40, 200, 37) + QRect(333, 101, 77, 51);
        QImage painted(size, QImage::Format_RGB32);
        painted.fill(Qt::green);
        view.render(&painted, part.boundingRect().topLeft(), part);
        for (const QRect& rect : part)
            EXPECT_EQ(painted.copy(rect), whole.copy(rect)) << size.width() << " wide, at " << rect.x() << "," << rect.y();
    }
}
