// The whole-number scale and the centred place of the play area.
#include "desktop/window/PlayArea.h"

#include <algorithm>

#include "shell/surface.h"

int wholeScale(QSize space) {
    return std::max(1, std::min(space.width() / Surface::Width, space.height() / Surface::Height));
}

QRect placeSurface(QSize space) {
    const int scale = wholeScale(space);
    const QSize size(Surface::Width * scale, Surface::Height * scale);
    const int left = std::max(0, (space.width() - size.width()) / 2);
    const int top = std::max(0, (space.height() - size.height()) / 2);
    return {QPoint(left, top), size};
}
