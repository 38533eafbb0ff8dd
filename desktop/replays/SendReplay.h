// Sending a finished game to a hall of fame: the replay file goes as it is
// to the hall's upload address, and the entry's address comes back. Needs
// no display.
#pragma once

#include <QString>

// Makes its own application with no window. Prints the entry's address
// and returns 0 when the hall kept the game or had it already; 1 with the
// hall's reason when it refused it; 2 with one line when the file is no
// replay or the hall cannot be reached within 30 s.
int sendReplayCommand(char* argv[], const QString& path, const QString& hall);
