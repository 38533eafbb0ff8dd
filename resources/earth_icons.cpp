// The Earth icon at every size a desktop asks for, from the two drawings:
// each is made larger by repeating its pixels (never smoothed, so every
// pixel keeps a colour of the palette), 24 from the 16 x 16 drawing and
// the rest from the 32 x 32 one, which no size shrinks.
#include "resources/resources.h"

namespace {

QImage enlarged(const QImage& drawing, int size) {
    return drawing.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

}  // namespace

std::vector<QImage> earthIcons()
{
    const QImage small = earthIconSmall();
    const QImage large = earthIcon();
    return {small, enlarged(small, 24), large, enlarged(large, 48), enlarged(large, 64), enlarged(large, 128),
            enlarged(large, 256)};
}
