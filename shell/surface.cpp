// The visible surface: composing the layers into the frame buffer, and the
// three drawing operations the game uses on top of them.
#include "shell/surface.h"

#include <algorithm>
#include <cstring>

#include "shell/controls.h"

namespace {

QRgb toRgb(Long colour) {
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// The window's own colour before the first reset makes it black.
constexpr Long SystemWindowColour = RGB(255, 255, 255);

// The part of a rectangle on the surface; empty when none is. Worked out
// here rather than by QRect, as the drawing calls it for every dot.
QRect onSurface(int left, int top, int right, int bottom) {
    return QRect(QPoint(std::max(left, 0), std::max(top, 0)),
                 QPoint(std::min(right, Surface::Width - 1), std::min(bottom, Surface::Height - 1)));
}

bool holds(const QRect& outer, const QRect& inner) {
    return outer.left() <= inner.left() && inner.right() <= outer.right() && outer.top() <= inner.top() &&
           inner.bottom() <= outer.bottom();
}

// What a changed rectangle costs to take in another: the pixels their
// bounding box holds beyond the two; below zero when they overlap.
int waste(const QRect& kept, const QRect& added) {
    const int width = std::max(kept.right(), added.right()) - std::min(kept.left(), added.left()) + 1;
    const int height = std::max(kept.bottom(), added.bottom()) - std::min(kept.top(), added.top()) + 1;
    return width * height - kept.width() * kept.height() - added.width() * added.height();
}

}  // namespace

Surface::Surface()
    : frame_(Width, Height, QImage::Format_RGB32),
      bits_(frame_.bits()),
      stride_(static_cast<int>(frame_.bytesPerLine())),
      backColor_(SystemWindowColour) {
    clear();
}

void Surface::addImage(Image& image) {
    image.surface_ = this;
    images_.push_back(&image);
}

void Surface::addLabel(Label& label) {
    label.surface_ = this;
    labels_.push_back(&label);
}

void Surface::setBackColor(Long colour) {
    backColor_ = colour;
    clear();
}

void Surface::setPicture(const QImage& picture) {
    picture_ = picture.convertToFormat(QImage::Format_RGB32);
    clear();
}

void Surface::clear() { repaint(frame_.rect()); }

void Surface::restore(const QImage& frame) {
    const QImage pixels = frame.convertToFormat(QImage::Format_RGB32);
    if (pixels.size() != frame_.size()) return;
    for (int y = 0; y < Height; ++y) std::memcpy(bits_ + y * stride_, pixels.constScanLine(y), Width * sizeof(QRgb));
    touch(frame_.rect());
}

void Surface::repaint(const QRect& area) {
    const QRect clip = onSurface(area.left(), area.top(), area.right(), area.bottom());
    if (clip.isEmpty()) return;
    if (!picture_.rect().contains(clip)) fill(clip, toRgb(backColor_));
    blit(picture_, picture_.rect(), clip);
    // Most layers lie wholly outside a small area: that is decided first.
    const auto overlaps = [&clip](const Layer& layer) {
        return layer.visible() && layer.left() <= clip.right() && layer.left() + layer.width() > clip.left() &&
               layer.top() <= clip.bottom() && layer.top() + layer.height() > clip.top();
    };
    for (const Image* image : images_)
        if (overlaps(*image) && !image->picture().isNull()) blit(image->picture(), image->rect(), clip);
    for (const Label* label : labels_)
        if (overlaps(*label)) blit(label->rendered(), label->rect(), clip);
    touch(clip);
}

void Surface::fill(const QRect& area, QRgb colour) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(bits_ + y * stride_);
        std::fill(row + area.left(), row + area.right() + 1, colour);
    }
}

// Copies the part of a layer, lying at place, that falls inside the area.
void Surface::blit(const QImage& source, const QRect& place, const QRect& area) {
    const int left = std::max(place.left(), area.left());
    const int right = std::min(place.right(), area.right());
    if (left > right) return;
    const int top = std::max(place.top(), area.top());
    const int bottom = std::min(place.bottom(), area.bottom());
    if (top > bottom) return;
    const std::size_t bytes = static_cast<std::size_t>(right - left + 1) * sizeof(QRgb);
    const qsizetype sourceStride = source.bytesPerLine();
    const uchar* from = source.constBits() + (top - place.top()) * sourceStride + (left - place.left()) * 4;
    uchar* to = bits_ + top * stride_ + left * 4;
    for (int y = top; y <= bottom; ++y, from += sourceStride, to += stride_) std::memcpy(to, from, bytes);
}

ROUNDING_CLONES void Surface::box(double x1, double y1, double x2, double y2, Long colour) {
    const int left = pixel(std::min(x1, x2)), right = pixel(std::max(x1, x2));
    const int top = pixel(std::min(y1, y2)), bottom = pixel(std::max(y1, y2));
    const QRect area = onSurface(left, top, right, bottom);
    if (area.isEmpty()) return;
    fill(area, toRgb(colour));
    touch(area);
}

void Surface::pset(double x, double y, Long colour) {
    const int px = pixel(x), py = pixel(y);
    if (px < 0 || py < 0 || px >= Width || py >= Height) return;
    reinterpret_cast<QRgb*>(bits_ + py * stride_)[px] = toRgb(colour);
    touch(QRect(px, py, 1, 1));
}

// A one-pixel outline by the midpoint rule; radius 0 is a single point.
void Surface::circle(double cx, double cy, double radius, Long colour) {
    const int x0 = pixel(cx), y0 = pixel(cy), r = pixel(radius);
    if (r < 0) return;
    const QRgb rgb = toRgb(colour);
    auto plot = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= Width || y >= Height) return;
        reinterpret_cast<QRgb*>(bits_ + y * stride_)[x] = rgb;
    };
    int x = r, y = 0, err = 1 - r;
    while (x >= y) {
        plot(x0 + x, y0 + y); plot(x0 - x, y0 + y); plot(x0 + x, y0 - y); plot(x0 - x, y0 - y);
        plot(x0 + y, y0 + x); plot(x0 - y, y0 + x); plot(x0 + y, y0 - x); plot(x0 - y, y0 - x);
        ++y;
        if (err < 0) {
            err += 2 * y + 1;
        } else {
            --x;
            err += 2 * (y - x) + 1;
        }
    }
    touch(onSurface(x0 - r, y0 - r, x0 + r, y0 + r));
}

void Surface::touch(const QRect& area) {
    if (area.isEmpty()) return;
    for (int i = 0; i < dirtyCount_; ++i) {
        if (holds(dirty_[i], area)) return;
        // Overlapping or touching rectangles join.
        if (waste(dirty_[i], area) <= 0) {
            dirty_[i] |= area;
            return;
        }
    }
    if (dirtyCount_ < MostDirty) {
        dirty_[dirtyCount_++] = area;
        return;
    }
    // All places are taken: the two nearest of them and the new one join.
    int first = 0, second = MostDirty, least = waste(dirty_[0], area);
    for (int i = 0; i < MostDirty; ++i)
        for (int j = i + 1; j <= MostDirty; ++j) {
            const int cost = waste(dirty_[i], j < MostDirty ? dirty_[j] : area);
            if (cost < least) {
                first = i;
                second = j;
                least = cost;
            }
        }
    if (second == MostDirty) {
        dirty_[first] |= area;
        return;
    }
    dirty_[first] |= dirty_[second];
    dirty_[second] = area;
}

QRegion Surface::takeDirty() {
    QRegion dirty;
    for (int i = 0; i < dirtyCount_; ++i) dirty += dirty_[i];
    dirtyCount_ = 0;
    return dirty;
}
