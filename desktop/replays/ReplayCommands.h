// The two things the program does with a replay file: watch it in the
// window, or verify it with no display. Both print one line and end with
// status 2 when the file is not a replay they can read.
#pragma once

#include <QString>

// Needs the QApplication.
int watchReplay(const QString& path);
// Makes its own application on the offscreen platform.
int verifyReplayCommand(char* argv[], const QString& path);
