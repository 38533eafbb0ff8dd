// The widget that shows the game's surface: painting from the frame buffer
// with hard pixel edges on any screen, passing on the surface's dirty
// rectangle, and the double-click.
#include "shell/qt/SurfaceWidget.h"

#include <QPainter>
#include <QPaintEvent>

#include "shell/surface.h"

SurfaceWidget::SurfaceWidget(Surface& surface, QWidget* parent) : QWidget(parent), surface_(surface) {
    setFixedSize(Surface::Width, Surface::Height);
    setFocusPolicy(Qt::NoFocus);
    // Every pixel comes from the surface, so Qt need not clear behind it.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceWidget::showChanges() {
    const QRect dirty = surface_.takeDirty();
    if (!dirty.isEmpty()) update(dirty);
}

void SurfaceWidget::showChangesNow() {
    const QRect dirty = surface_.takeDirty();
    if (!dirty.isEmpty()) repaint(dirty);
}

// On a high-density screen each pixel of the surface becomes a block of
// device pixels, never a blur. The whole surface is laid over the whole
// widget every time, so every device pixel always shows the same surface
// pixel, at fractional scales too; the paint event's clip keeps the work to
// the part that changed.
void SurfaceWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), surface_.image());
}

void SurfaceWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    emit doubleClicked();
}
