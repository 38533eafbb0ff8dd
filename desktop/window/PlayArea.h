// Where the play area goes in a space of device pixels: the surface at the
// largest whole scale that fits, at least 1, centred, so that every pixel
// of the surface is a square block of device pixels with hard edges.
#pragma once

#include <QRect>
#include <QSize>

// The largest whole scale at which the surface fits the space; 1 when even
// that does not fit.
int wholeScale(QSize space);
// The surface's place in the space, at its whole scale, centred; in a space
// too small for scale 1 it keeps to the top left corner.
QRect placeSurface(QSize space);
