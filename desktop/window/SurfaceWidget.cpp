// The widget that shows the game's surface: the whole-scale place of the
// play area worked out in device pixels, painting from the frame buffer
// with hard pixel edges, the dirty rectangle carried over to that place,
// the black border around it, the "PAUSED" sign, and the double-click.
#include "desktop/window/SurfaceWidget.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

#include "desktop/window/PlayArea.h"
#include "shell/surface.h"

SurfaceWidget::SurfaceWidget(Surface& surface, QWidget* parent) : QWidget(parent), surface_(surface) {
    setFocusPolicy(Qt::NoFocus);
    // Every pixel is painted here, the border too, so Qt need not clear.
    setAttribute(Qt::WA_OpaquePaintEvent);
    reserveTop(0);
}

// The smallest widget holds the play area at scale 1 in device pixels.
void SurfaceWidget::reserveTop(int rows) {
    reservedTop_ = rows;
    const qreal ratio = devicePixelRatioF();
    setMinimumSize(static_cast<int>(std::ceil(Surface::Width / ratio)),
                   rows + static_cast<int>(std::ceil(Surface::Height / ratio)));
    update();
}

void SurfaceWidget::setPaused(bool paused) {
    paused_ = paused;
    update();
}

QPoint SurfaceWidget::surfaceToGlobal(QPoint point) const {
    return mapToGlobal(onWidget(QRect(point, QSize(1, 1))).topLeft());
}

// Worked out in device pixels, so that the scale is whole there also when
// the screen's own scale is a fraction.
QRect SurfaceWidget::devicePlayArea() const {
    const qreal ratio = devicePixelRatioF();
    const int top = static_cast<int>(std::ceil(reservedTop_ * ratio));
    const QSize space(static_cast<int>(width() * ratio), static_cast<int>(height() * ratio) - top);
    return placeSurface(space).translated(0, top);
}

QRectF SurfaceWidget::playArea() const {
    const qreal ratio = devicePixelRatioF();
    const QRect area = devicePlayArea();
    return {area.x() / ratio, area.y() / ratio, area.width() / ratio, area.height() / ratio};
}

QRect SurfaceWidget::onWidget(const QRect& surfaceRect) const {
    const QRectF area = playArea();
    const qreal scale = area.width() / Surface::Width;
    return QRectF(area.x() + surfaceRect.x() * scale, area.y() + surfaceRect.y() * scale,
                  surfaceRect.width() * scale, surfaceRect.height() * scale)
        .toAlignedRect();
}

void SurfaceWidget::showChanges() {
    const QRect dirty = surface_.takeDirty();
    if (!dirty.isEmpty()) update(onWidget(dirty));
}

void SurfaceWidget::showChangesNow() {
    const QRect dirty = surface_.takeDirty();
    if (!dirty.isEmpty()) repaint(onWidget(dirty));
}

// The whole surface is laid over the whole play area every time, so every
// device pixel always shows the same surface pixel; the paint event's clip
// keeps the work to the part that changed.
void SurfaceWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRectF area = playArea();
    if (!area.contains(event->rect())) painter.fillRect(event->rect(), Qt::black);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(area, surface_.image());
    if (paused_) paintPausedSign(painter);
}

// A black box with the word in white across the middle of the play area,
// as large as the play area is.
void SurfaceWidget::paintPausedSign(QPainter& painter) {
    const QRectF area = playArea();
    const qreal scale = area.width() / Surface::Width;
    QFont font(QStringLiteral("Liberation Sans"));
    font.setBold(true);
    font.setPixelSize(static_cast<int>(32 * scale));
    painter.setFont(font);
    const QRectF box(area.center().x() - 110 * scale, area.center().y() - 30 * scale, 220 * scale, 60 * scale);
    painter.fillRect(box, Qt::black);
    painter.setPen(QPen(Qt::white, scale));
    painter.drawRect(box);
    painter.drawText(box, Qt::AlignCenter, QStringLiteral("PAUSED"));
}

void SurfaceWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    emit doubleClicked();
}
