// What playing a replay back found: the game's own verification's verdict,
// and, for a replay that verifies, the game as the playback saw it: score,
// wave, the name typed at its end, the settings at Start and whether they
// changed during play, its length, whether it ended at its game over, the
// final play area and the score at each minute. Nothing here comes from
// what the file or its sender says of the game.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

struct Proof {
    // False when the playback gave no verdict: it could not be started
    // (started false: the game waits for another try), or it ran out of its
    // time or memory or died (a replay refused for that, kept as evidence).
    bool answered = true;
    bool started = true;
    bool verified = false;
    QString reason;                 // why not, in one line
    double score = 0;
    int wave = 0;
    QString name;                   // typed at the game's end; empty when it asked none
    QString settings;               // at Start, in words
    QString board;
    bool changedDuringPlay = false;
    qint64 lengthMs = 0;            // from Start to the end of its game over, pauses counted
    bool endedAtGameOver = false;
    qint64 played = 0;              // the date in the file: the sender's word, ms since 1970
    QString gameVersion;            // that recorded it
    QByteArray picture;             // the play area at the end, PNG
    std::vector<double> scoreByMinute;

    QByteArray toJson() const;
    // Empty when the bytes are not a proof's answer.
    static std::optional<Proof> fromJson(const QByteArray& json);
};

// The version of the game this hall proves replays with.
QString provingVersion();

// Plays the replay in this process, needing a QGuiApplication and the
// pictures in programDirectory.
Proof proveReplay(const QByteArray& bytes, const QString& programDirectory);
