// The BMP writer: a 14-byte file header, a 40-byte BITMAPINFOHEADER and the
// pixels bottom row first, three bytes (blue, green, red) a pixel, each row
// padded to a multiple of four bytes.
#include "picture.h"
#include "byte_buffer.h"

#include <stdexcept>

void writeBmp(const Picture& picture, const std::string& path)
{
    const int width = picture.width();
    const int height = picture.height();
    if (width == 0) throw std::runtime_error(picture.fileName + ": no pixels");
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(height);
    const std::uint32_t headerBytes = 14 + 40;
    const std::uint32_t pixelsPerMetre = 2835; // 72 dots an inch

    std::string out;
    out += "BM";
    put32(out, headerBytes + pixelBytes);
    put32(out, 0);
    put32(out, headerBytes);

    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height)); // positive: bottom-up
    put16(out, 1);                                  // planes
    put16(out, 24);                                 // bits a pixel
    put32(out, 0);                                  // no compression
    put32(out, pixelBytes);
    put32(out, pixelsPerMetre);
    put32(out, pixelsPerMetre);
    put32(out, 0);                                  // no colour table
    put32(out, 0);

    for (int y = height - 1; y >= 0; --y) {
        const std::string& row = picture.rows[static_cast<std::size_t>(y)];
        if (static_cast<int>(row.size()) != width)
            throw std::runtime_error(picture.fileName + ": row " + std::to_string(y) + " is not "
                                     + std::to_string(width) + " wide");
        for (char c : row) {
            const auto colour = picture.palette.find(c);
            if (colour == picture.palette.end())
                throw std::runtime_error(picture.fileName + ": no colour for '" + c + "'");
            out += static_cast<char>(colour->second.blue);
            out += static_cast<char>(colour->second.green);
            out += static_cast<char>(colour->second.red);
        }
        out.append(rowBytes - static_cast<std::uint32_t>(width) * 3, '\0');
    }
    saveFile(out, path);
}
