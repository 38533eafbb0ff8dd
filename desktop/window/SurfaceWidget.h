// The widget that shows the game's one visible surface: at the largest
// whole scale that fits below a strip kept for the menu bar, centred on
// black, each pixel of the surface a sharp block of device pixels on any
// screen. It repaints only the part of the surface the game has changed,
// shows the host's "PAUSED" sign over a still picture, and reports a
// double-click.
#pragma once

#include <QWidget>

#include "desktop/window/SharedMapping.h"

class Surface;

class SurfaceWidget : public QWidget {
    Q_OBJECT

public:
    explicit SurfaceWidget(Surface& surface, QWidget* parent = nullptr);

    // Keeps this many rows at the top out of the play area, for the menu
    // bar to lie on whether it is shown or not.
    void reserveTop(int rows);
    // Shows the "PAUSED" sign over the play area, or takes it away.
    void setPaused(bool paused);
    // Where a point of the surface is on the screen.
    QPoint surfaceToGlobal(QPoint point) const;

    // Shows the part of the surface changed since last time, once the
    // events at hand are done.
    void showChanges();
    // Paints the changed part now, without going through the event loop.
    void showChangesNow();

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // The play area in device pixels of the widget.
    QRect devicePlayArea() const;
    // The play area, and a part of the surface, in the widget's own pixels.
    QRectF playArea() const;
    QRect onWidget(const QRect& surfaceRect) const;
    QRegion onWidget(const QRegion& surfaceRegion) const;
    // Takes the surface's changes and shows them, now or through the event
    // loop.
    void showTakenChanges(bool now);
    // Shows a changed part of the play area without Qt's repaint, where it
    // can; false where it cannot.
    bool showDirectly(const QRegion& region);
    // Writes the given device pixels of the play area into a picture of the
    // window, where the widget lies at the offset.
    void copyPlayArea(QImage& picture, QPoint offset, const QRegion& device) const;
    // Whether another widget lies over a part of the window, in the
    // window's pixels.
    bool coveredByOthers(const QRect& inWindow) const;
    void paintPausedSign(QPainter& painter);

    Surface& surface_;
    int reservedTop_ = 0;
    bool paused_ = false;
    bool changesDue_ = false;
    // Whether the window's picture lies in memory shared with the X server.
    SharedPictureCheck sharedPicture_;
};
