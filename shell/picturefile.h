// The pictures beside the program: bitmaps of at most 1024 x 1024 pixels,
// read from regular files only.
#pragma once

#include <QImage>
#include <QString>

constexpr int LargestPictureSide = 1024;
// A 32-bit bitmap of the largest size, with room for any header and palette.
constexpr qint64 LargestPictureFile = qint64(LargestPictureSide) * LargestPictureSide * 4 + 65536;

// The picture in a file; a null image when the file is missing, is not a
// regular file, cannot be decoded, or is wider or taller than 1024.
QImage readPictureFile(const QString& path);
