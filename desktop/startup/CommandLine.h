// The program's command line: --help, --version, --replay FILE, --verify
// FILE, --send FILE [--hall URL], or one FILE alone (a file manager
// opening a replay), which watches it. No argument plays the game. Help and version are printed
// here; an unknown option prints the usage and ends with status 2. Qt's
// own options (-platform, -display, -style and the rest, with one dash or
// two) are left to Qt, as in any Qt program.
#pragma once

#include <QString>

struct CommandLine {
    enum class Mode { Play, Replay, Verify, Send, Done };
    Mode mode = Mode::Play;
    QString file;
    QString hall;  // Send: the hall's address, from --hall, VORLANE_HALL or the local hall
    int status = 0;  // Done: the program's exit status
    // Qt's -platform and -display, when given: where the window will open.
    QString platform;
    QString display;
};

CommandLine readCommandLine(int argc, char* argv[]);
