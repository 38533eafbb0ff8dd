// The window's view of the surface: the play area at the largest whole
// scale below the menu bar's strip, centred on black, repainted only where
// the game changed it, and the "PAUSED" sign drawn by the window alone,
// never on the surface the game reads back.
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
        view.reserveTop(19);  // the menu bar's strip
        view.resize(1300, 919);
    }
    QImage shown() { return view.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // The whole view as it should look: the surface where the play area
    // goes, black around it.
    QImage whole(QSize size) const {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::black);
        QPainter(&picture).drawImage(placeSurface(size - QSize(0, 19)).translated(0, 19), form->surface.image());
        return picture;
    }
};

// A part repainted alone shows, at every scale, each surface pixel as the
// whole block of device pixels the whole picture gives it.
TEST_F(SurfaceWidgetTest, ShowsThePlayAreaScaledAndCentredAndAPartRepaintedAloneMatchesIt) {
    form->surface.box(5, 5, 40, 30, RGB(255, 0, 0));
    for (const QSize size : {QSize(700, 19 + 500), QSize(1300, 919), QSize(1253, 919), QSize(1900, 19 + 1320)}) {
        view.resize(size);
        EXPECT_EQ(shown(), whole(size)) << size.width() << " wide, painted whole";
        // A band across the play area's left edge, and a block of the
        // starfield with an odd place and size.
        const QRegion part = QRegion(0, 40, 200, 37) + QRect(333, 101, 77, 51);
        QImage painted(size, QImage::Format_RGB32);
        painted.fill(Qt::green);
        view.render(&painted, part.boundingRect().topLeft(), part);
        for (const QRect& rect : part)
            EXPECT_EQ(painted.copy(rect), whole(size).copy(rect)) << size.width() << " wide, at " << rect.x() << "," << rect.y();
    }
}

TEST_F(SurfaceWidgetTest, ThePauseSignCoversThePlayAreaButNotTheSurface) {
    const QImage before = form->surface.image().copy();
    view.setPaused(true);
    const QImage paused = shown();
    EXPECT_NE(paused, whole(view.size()));
    EXPECT_EQ(paused.copy(0, 0, 1300, 333), whole(view.size()).copy(0, 0, 1300, 333)) << "the sign is in the middle";
    EXPECT_EQ(form->surface.image(), before);
    view.setPaused(false);
    EXPECT_EQ(shown(), whole(view.size()));
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
    // At scale 2 the play area starts 23 columns and 19 + 14 rows in.
    EXPECT_EQ(watched.painted,
              QList<QRegion>({QRegion(23 + 200, 33 + 100, 2, 2) + QRect(23 + 1200, 33 + 840, 2, 2)}));
}
