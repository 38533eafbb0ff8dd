// Reads a picture file whole into memory and decodes it there, after its
// header has shown a size the game can hold: a huge picture is refused
// before any pixel memory is taken for it. A bitmap shorter than its header
// says is refused too: the decoder would fill the missing rows with black
// and the game would start with a picture cut short.
#include "shell/picturefile.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <cstdlib>
#include <map>
#include <optional>

#include "disk/regularfile.h"

namespace {

bool fits(const QSize& size) {
    return size.isValid() && size.width() <= LargestPictureSide && size.height() <= LargestPictureSide;
}

template <typename Number>
Number littleEndian(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<Number>(bytes.constData() + at);
}

// A bitmap holds every byte its header counts: the pixels start where the
// file header says, and take whole rows of four-byte steps, or as many
// bytes as the header gives for compressed ones. Files of other kinds are
// left to their own decoders, which refuse a short file.
bool whole(const QByteArray& bytes) {
    constexpr qsizetype FileHeader = 14, CoreHeader = 12, InfoHeader = 40;
    if (!bytes.startsWith("BM")) return true;
    if (bytes.size() < FileHeader + CoreHeader) return false;
    const qint64 pixelsAt = littleEndian<quint32>(bytes, 10);
    qint64 width, height, bitsPerPixel, compression = 0, compressedBytes = 0;
    if (littleEndian<quint32>(bytes, FileHeader) == CoreHeader) {
        width = littleEndian<quint16>(bytes, 18);
        height = littleEndian<quint16>(bytes, 20);
        bitsPerPixel = littleEndian<quint16>(bytes, 24);
    } else {
        if (bytes.size() < FileHeader + InfoHeader) return false;
        width = littleEndian<qint32>(bytes, 18);
        height = littleEndian<qint32>(bytes, 22);  // below 0 for a bitmap stored top row first
        bitsPerPixel = littleEndian<quint16>(bytes, 28);
        compression = littleEndian<quint32>(bytes, 30);
        compressedBytes = littleEndian<quint32>(bytes, 34);
    }
    if (std::llabs(width) > LargestPictureSide || std::llabs(height) > LargestPictureSide) return false;
    // Plain rows, with or without masks for the colours; the rest are run-length coded.
    constexpr qint64 Plain = 0, Masks = 3, MasksWithAlpha = 6;
    const bool plain = compression == Plain || compression == Masks || compression == MasksWithAlpha;
    const qint64 pixelBytes =
        plain ? (std::llabs(width) * bitsPerPixel + 31) / 32 * 4 * std::llabs(height) : compressedBytes;
    return pixelsAt + pixelBytes <= bytes.size();
}

}  // namespace

// The game reads the same few pictures again and again (an invader's at
// every beat and every hit): a file whose stamp has not changed since it
// was last decoded gives the same picture without being read again.
QImage readPictureFile(const QString& path) {
    struct Decoded {
        FileStamp stamp;
        QImage picture;
    };
    static std::map<QString, Decoded> decoded;
    const std::optional<FileStamp> stamp = regularFileStamp(path);
    if (!stamp) return {};
    const auto known = decoded.find(path);
    if (known != decoded.end() && known->second.stamp == *stamp) return known->second.picture;
    RegularFile file = readRegularFile(path, LargestPictureFile);
    if (file.state != RegularFile::State::Read || !file.whole || !whole(file.bytes)) return {};
    QBuffer buffer(&file.bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (!fits(reader.size())) return {};
    QImage picture = reader.read();
    if (!fits(picture.size())) return {};
    decoded[path] = {file.stamp, picture};
    return picture;
}
