// Whether there is a screen to show the game on, asked before Qt starts:
// Qt itself, finding no display, aborts with a core dump and advice to
// reinstall. The check follows Qt's own choice of window system (the
// -platform argument, QT_QPA_PLATFORM, else Wayland when WAYLAND_DISPLAY
// is set and X11) and only vouches for X11 and Wayland: any other platform
// (offscreen, for the tests) is left to Qt.
#pragma once

#include <string>

// True when Qt will find a display; otherwise prints one line saying the
// game needs a graphical desktop session and returns false. platform and
// display: Qt's -platform and -display options, empty when not given.
bool checkGraphicalSession(const std::string& platform, const std::string& display);
