// The two pictures compiled into the game: the night sky behind the play
// area and the window's icon.
#pragma once

#include <QImage>

// The night sky, 549 x 219: about seventy stars and a crescent moon at the
// top right, in eight colours black included.
QImage starfieldPicture();

// The window icon, 32 x 32 with alpha: the Earth seen from space.
QImage earthIcon();
