// Checking a replay file: the whole session runs again as fast as it can,
// with nothing shown and no sound, and its end is compared with the
// recorded one. One line tells the result; the status is 0 when score,
// wave and the play area's pixels match, 1 when they do not, and 2 when
// the file cannot be read as a replay.
#pragma once

#include <QString>

#include "replay/replay.h"

struct Verdict {
    int status = 2;
    QString line;
    QString note;  // said on the side: the pictures differ from the recording's
};

// The recorded session against this program and these pictures.
Verdict verifyReplay(const Replay& replay, const QString& programDirectory);
Verdict verifyReplayFile(const QString& path, const QString& programDirectory);
