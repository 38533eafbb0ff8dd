// The pictures compiled into the game: the night sky behind the play area
// and the Earth icon of the window and the desktop's menus.
#pragma once

#include <QImage>
#include <vector>

// The night sky, 549 x 219: about seventy stars and a crescent moon at the
// top right, in eight colours black included.
QImage starfieldPicture();

// The window icon, 32 x 32 with alpha: the Earth seen from space.
QImage earthIcon();

// The same Earth drawn again to read at 16 x 16.
QImage earthIconSmall();

// The icon at 16, 24, 32, 48, 64, 128 and 256 pixels square, smallest
// first, pixel art enlarged without smoothing.
std::vector<QImage> earthIcons();
