// The colours of the Earth icon, shared by its 32 and 16 pixel drawings,
// and the one way both turn their rows of characters into a picture.
#pragma once

#include <QImage>

#include <map>

// Rows of palette characters, size x size, into a picture with alpha.
inline QImage paintEarth(const char* const* rows, int size) {
    static const std::map<char, QRgb> palette = {
        {'.', qRgba(0, 0, 0, 0)},    // space around the globe
        {'K', qRgb(0, 0, 0)},        // outline
        {'w', qRgb(235, 245, 255)},  // polar ice
        {'B', qRgb(70, 140, 235)},   // sunlit ocean
        {'b', qRgb(30, 90, 200)},    // ocean
        {'n', qRgb(15, 50, 130)},    // ocean in the dusk
        {'G', qRgb(110, 200, 80)},   // sunlit land
        {'g', qRgb(50, 150, 50)},    // land
        {'d', qRgb(30, 95, 35)},     // land in the dusk
    };
    QImage icon(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) icon.setPixel(x, y, palette.at(rows[y][x]));
    return icon;
}
