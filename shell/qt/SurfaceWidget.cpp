// The widget that shows the game's surface: painting from the frame buffer,
// passing on the surface's dirty rectangle, and the double-click.
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

void SurfaceWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    painter.drawImage(area, surface_.image(), area);
}

void SurfaceWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    emit doubleClicked();
}
