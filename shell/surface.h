// The one visible surface of the game window: a 627 x 436 frame buffer that
// always holds what the window shows. Bottom to top it is made of the
// background colour, the starfield picture, the visible images and the
// visible labels; the game draws boxes, points and circles on top of all of
// them, and reads back the colour of any displayed pixel to find out what a
// missile or a bomb has met. A control that changes repaints its rectangles
// from the layers, which removes whatever was drawn there.
#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>

#include <array>
#include <vector>

#include "shell/numbers.h"

class Image;
class Label;

class Surface {
public:
    static constexpr int Width = 627;
    static constexpr int Height = 436;

    Surface();

    // The layers, in the order they cover each other.
    void addImage(Image& image);
    void addLabel(Label& label);
    void setBackColor(Long colour);
    Long backColor() const { return backColor_; }
    void setPicture(const QImage& picture);

    // Drawing on top of everything, corners included, clipped to the area.
    void box(double x1, double y1, double x2, double y2, Long colour);
    void pset(double x, double y, Long colour);
    void circle(double cx, double cy, double radius, Long colour);

    // The displayed colour number at (x, y); -1 outside the client area.
    Long point(double x, double y) const {
        const int px = pixel(x), py = pixel(y);
        if (px < 0 || py < 0 || px >= Width || py >= Height) return -1;
        const QRgb c = reinterpret_cast<const QRgb*>(bits_ + py * stride_)[px];
        return qRed(c) + 256 * qGreen(c) + 65536 * qBlue(c);
    }

    // Removes every drawing: the whole area is painted from the layers.
    void clear();
    // Puts back every pixel of a frame the surface once showed, drawings
    // and all, as a replay does at a game's start.
    void restore(const QImage& frame);
    // Paints a rectangle afresh from the layers.
    void repaint(const QRect& area);

    const QImage& image() const { return frame_; }
    // The parts of the surface changed since the last call, as a few
    // rectangles: the ship at the bottom and the invaders at the top stay
    // apart, so the host repaints little more than what changed.
    QRegion takeDirty();

    // Window units to the pixel they fall on.
    static int pixel(double v) { return static_cast<int>(std::nearbyint(v)); }

private:
    void fill(const QRect& area, QRgb colour);
    void blit(const QImage& source, const QRect& place, const QRect& area);
    void touch(const QRect& area);

    QImage frame_;
    uchar* bits_;
    int stride_;
    QImage picture_;
    Long backColor_ = 0;
    std::vector<Image*> images_;
    std::vector<Label*> labels_;
    // At most this many changed rectangles are kept; a change joins the one
    // it grows least when they overlap or touch, or when all are taken.
    static constexpr int MostDirty = 8;
    std::array<QRect, MostDirty> dirty_;
    int dirtyCount_ = 0;
};
