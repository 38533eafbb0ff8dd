// The hall's command line: serve (the default), hide ID, unhide ID, and
// the children's prove and film VIDEO PREVIEW; --listen ADDR:PORT,
// --database sqlite:PATH and --media DIR.
#pragma once

#include <QString>

struct HallCommand {
    enum class Mode { Serve, Hide, Unhide, Prove, Film, Help };
    Mode mode = Mode::Serve;
    QString address = QStringLiteral("127.0.0.1");
    quint16 port = 8080;
    QString database;               // a file's path
    qint64 id = 0;                  // hide, unhide
    QString media;                  // the videos' folder; empty: beside the database
    QByteArray video, preview;      // film
    QString problem;                // one line; empty when the command line is sound
};

// The database's default path: hall.sqlite in $XDG_DATA_HOME/vorlane/.
QString defaultDatabase();
HallCommand readCommandLine(int argc, char* argv[]);

constexpr const char* HallUsage =
    "usage: vorlane-hall [--listen ADDR:PORT] [--database sqlite:PATH] [--media DIR]\n"
    "       vorlane-hall hide ID | unhide ID\n";
