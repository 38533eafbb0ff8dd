// The player's own folder for what the game keeps between runs: "HS" when
// the program's folder cannot be written, and the replays.
#pragma once

#include <QString>

// $XDG_DATA_HOME/vorlane, ~/.local/share/vorlane by default. It may not
// exist yet: whoever writes first makes it.
QString playerDataFolder();
