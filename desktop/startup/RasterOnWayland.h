// The window paints through shared memory, on Wayland as on X: it never
// needs Qt's GL buffer integration, whose loading alone maps Mesa's driver
// (about 50 MB). Told to use none, Qt says at start that it found none;
// those two lines are kept from the player.
#pragma once

// Call once, before the application exists. A player who names a buffer
// integration keeps it.
void paintWithoutGlOnWayland();
