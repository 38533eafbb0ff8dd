// The widget that shows the game's one visible surface at its fixed size of
// 627 x 436, pixel for pixel; on a high-density screen each pixel is a sharp
// block of device pixels. It repaints only the part of the surface the game
// has changed and reports a double-click on the play area.
#pragma once

#include <QWidget>

class Surface;

class SurfaceWidget : public QWidget {
    Q_OBJECT

public:
    explicit SurfaceWidget(Surface& surface, QWidget* parent = nullptr);

    // Schedules a paint of the part of the surface changed since last time.
    void showChanges();
    // Paints the changed part now, without going through the event loop.
    void showChangesNow();

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    Surface& surface_;
};
