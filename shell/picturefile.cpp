// Reads a picture file whole into memory and decodes it there, after its
// header has shown a size the game can hold: a huge picture is refused
// before any pixel memory is taken for it.
#include "shell/picturefile.h"

#include <QBuffer>
#include <QImageReader>

#include "disk/regularfile.h"

namespace {

bool fits(const QSize& size) {
    return size.isValid() && size.width() <= LargestPictureSide && size.height() <= LargestPictureSide;
}

}  // namespace

QImage readPictureFile(const QString& path) {
    RegularFile file = readRegularFile(path, LargestPictureFile);
    if (file.state != RegularFile::State::Read || !file.whole) return {};
    QBuffer buffer(&file.bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (!fits(reader.size())) return {};
    const QImage picture = reader.read();
    return fits(picture.size()) ? picture : QImage();
}
