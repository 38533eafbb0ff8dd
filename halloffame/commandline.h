// The hall's command line: serve (the default), hide ID, unhide ID, and
// the child's prove; --listen ADDR:PORT and --database sqlite:PATH.
#pragma once

#include <QString>

struct HallCommand {
    enum class Mode { Serve, Hide, Unhide, Prove, Help };
    Mode mode = Mode::Serve;
    QString address = QStringLiteral("127.0.0.1");
    quint16 port = 8080;
    QString database;               // a file's path
    qint64 id = 0;                  // hide, unhide
    QString problem;                // one line; empty when the command line is sound
};

// The database's default path: hall.sqlite in $XDG_DATA_HOME/vorlane/.
QString defaultDatabase();
HallCommand readCommandLine(int argc, char* argv[]);

constexpr const char* HallUsage =
    "usage: vorlane-hall [--listen ADDR:PORT] [--database sqlite:PATH]\n"
    "       vorlane-hall hide ID | unhide ID\n";
