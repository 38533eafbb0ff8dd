// The widget that shows the game's surface: the whole-scale place of the
// play area worked out in device pixels, painting from the frame buffer
// with hard pixel edges, the changed rectangles carried over to that place,
// the black border around it, the "PAUSED" sign, and the double-click; on
// X the play area's changes go straight to the server.
#include "desktop/window/SurfaceWidget.h"

#include <QBackingStore>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <cstring>

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

namespace {

// A part of the surface where it lies in a play area of the widget.
QRect placed(const QRect& surfaceRect, const QRectF& area) {
    const qreal scale = area.width() / Surface::Width;
    return QRectF(area.x() + surfaceRect.x() * scale, area.y() + surfaceRect.y() * scale,
                  surfaceRect.width() * scale, surfaceRect.height() * scale)
        .toAlignedRect();
}

}  // namespace

QRect SurfaceWidget::onWidget(const QRect& surfaceRect) const { return placed(surfaceRect, playArea()); }

QRegion SurfaceWidget::onWidget(const QRegion& surfaceRegion) const {
    const QRectF area = playArea();
    QRegion region;
    for (const QRect& rect : surfaceRegion) region += placed(rect, area);
    return region;
}

// The timers that fall due together are shown together, once the last of
// them is done: one picture sent out a wake-up.
void SurfaceWidget::showChanges() {
    if (changesDue_) return;
    changesDue_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            changesDue_ = false;
            showTakenChanges(false);
        },
        Qt::QueuedConnection);
}

void SurfaceWidget::showChangesNow() { showTakenChanges(true); }

void SurfaceWidget::showTakenChanges(bool now) {
    const QRegion dirty = surface_.takeDirty();
    if (dirty.isEmpty()) return;
    const QRegion region = onWidget(dirty);
    if (showDirectly(region)) return;
    if (now)
        repaint(region);
    else
        update(region);
}

// On X, Qt's repaint first waits for the X server to answer whenever it
// paints over a part it sent before, which is every tick of a moving game:
// a second wake-up of the program each tick. A change of the play area
// alone needs nothing of Qt's repaint when the server reads the window's
// picture from shared memory, so it is drawn straight into that picture
// and sent out. A part the server is still reading may show the newer
// pixels a moment early, never older ones. Everything else (the border,
// the sign, other widgets over the play area, another screen scale, a
// picture sent over the connection, other windowing systems) goes through
// Qt's repaint.
bool SurfaceWidget::showDirectly(const QRegion& region) {
    static const bool onX = QGuiApplication::platformName() == QLatin1String("xcb");
    QWindow* shown = window()->windowHandle();
    QBackingStore* store = backingStore();
    if (!onX || paused_ || devicePixelRatioF() != 1 || !isVisible() || !shown || !shown->isExposed() || !store)
        return false;
    const QRect within = region.boundingRect();
    const QPoint offset = mapTo(window(), QPoint());
    if (!playArea().toAlignedRect().contains(within) || coveredByOthers(within.translated(offset))) return false;
    QPaintDevice* device = store->paintDevice();
    if (!device || device->devType() != QInternal::Image) return false;
    auto* picture = static_cast<QImage*>(device);
    if (picture->size() != shown->size() ||
        (picture->format() != QImage::Format_RGB32 && picture->format() != QImage::Format_ARGB32_Premultiplied))
        return false;
    if (!sharedPicture_.shared(picture->constBits(), static_cast<std::size_t>(picture->sizeInBytes()))) return false;
    copyPlayArea(*picture, offset, region);
    store->flush(region.translated(offset), shown);
    return true;
}

// Each device row is written once from the surface, and the rows below it
// in the same row of blocks are copies of it.
void SurfaceWidget::copyPlayArea(QImage& picture, QPoint offset, const QRegion& device) const {
    const QRect area = devicePlayArea();
    const int scale = area.width() / Surface::Width;
    const QImage& image = surface_.image();
    const QPoint origin = offset + area.topLeft();
    uchar* const bits = picture.bits();
    const qsizetype stride = picture.bytesPerLine();
    for (const QRect& part : device) {
        const QRect inside = (part & area).translated(-area.topLeft());
        const std::size_t rowBytes = static_cast<std::size_t>(inside.width()) * sizeof(QRgb);
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(bits + (origin.y() + y) * stride) + origin.x() + inside.left();
            if (y % scale != 0 && y != inside.top()) {
                std::memcpy(row, reinterpret_cast<const uchar*>(row) - stride, rowBytes);
                continue;
            }
            const auto* from = reinterpret_cast<const QRgb*>(image.constScanLine(y / scale)) + inside.left() / scale;
            if (scale == 1) {
                std::memcpy(row, from, rowBytes);
                continue;
            }
            int within = inside.left() % scale;
            for (int x = 0; x < inside.width(); ++x) {
                row[x] = *from;
                if (++within == scale) {
                    within = 0;
                    ++from;
                }
            }
        }
    }
}

// Whether another widget lies over a part of the window: the window's
// signs and bars are children of the window or of this widget.
bool SurfaceWidget::coveredByOthers(const QRect& inWindow) const {
    const auto covers = [&](const QObject* child) {
        const auto* other = qobject_cast<const QWidget*>(child);
        return other && other != this && !other->isWindow() && other->isVisible() &&
               QRect(other->mapTo(window(), QPoint()), other->size()).intersects(inWindow);
    };
    return std::any_of(window()->children().begin(), window()->children().end(), covers) ||
           std::any_of(children().begin(), children().end(), covers);
}

namespace {

// A band of surface rows scaled at a time, so that a whole repaint at a
// large scale needs no copy of the whole play area.
constexpr int BandRows = 32;

// A part of the surface with each pixel made a block of scale x scale.
QImage scaledPart(const QImage& image, const QRect& part, int scale) {
    QImage out(part.width() * scale, part.height() * scale, QImage::Format_RGB32);
    const std::size_t rowBytes = static_cast<std::size_t>(out.width()) * sizeof(QRgb);
    for (int y = 0; y < part.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(image.constScanLine(part.top() + y)) + part.left();
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y * scale));
        for (int x = 0; x < part.width(); ++x) std::fill_n(row + x * scale, scale, from[x]);
        for (int copy = 1; copy < scale; ++copy) std::memcpy(out.scanLine(y * scale + copy), row, rowBytes);
    }
    return out;
}

}  // namespace

// Painted in device pixels: each rectangle to repaint is the black border
// where it lies outside the play area, and inside it the surface pixels it
// covers, each a whole block, copied unscaled to the screen. Device pixel
// (x, y) of the play area shows surface pixel (x / scale, y / scale).
void SurfaceWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    const QRect area = devicePlayArea();
    const int scale = area.width() / Surface::Width;
    painter.save();
    if (ratio != 1) painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
    for (const QRect& logical : event->region()) {
        const QRect part = QRectF(logical.x() * ratio, logical.y() * ratio, logical.width() * ratio,
                                  logical.height() * ratio)
                               .toAlignedRect();
        if (!area.contains(part)) painter.fillRect(part, Qt::black);
        const QRect inside = (part & area).translated(-area.topLeft());
        if (inside.isEmpty()) continue;
        const QRect source(QPoint(inside.left() / scale, inside.top() / scale),
                           QPoint(inside.right() / scale, inside.bottom() / scale));
        if (scale == 1) {
            painter.drawImage(area.topLeft() + source.topLeft(), surface_.image(), source);
            continue;
        }
        for (int top = source.top(); top <= source.bottom(); top += BandRows) {
            const QRect band(source.left(), top, source.width(), std::min(BandRows, source.bottom() + 1 - top));
            painter.drawImage(area.topLeft() + band.topLeft() * scale, scaledPart(surface_.image(), band, scale));
        }
    }
    painter.restore();
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
