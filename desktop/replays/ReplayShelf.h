// The player's replay folder ($XDG_DATA_HOME/vorlane/replays): each game
// is written there on a worker thread, so the window never waits, as
// <date>-<time>-<ms>Z-<score>.vorlane-replay, the moment in UTC. The last
// 20 games by the time they were played, and the best one, are kept and
// older ones removed. A folder that cannot be
// written or a full disk costs only that replay, with one line on
// standard error: no file is left of it, and the replays kept stay.
#pragma once

#include <QString>
#include <QThreadPool>

#include "replay/recorder.h"

class ReplayShelf : public ReplaySink {
public:
    static constexpr int Kept = 20;

    explicit ReplayShelf(QString folder = defaultFolder());
    ~ReplayShelf() override;

    static QString defaultFolder();

    void keep(SavedGame game) override;
    void flush() override;

private:
    // Saves the game and, once it is whole on the disk, tidies the folder.
    void write(const SavedGame& game);
    void prune() const;

    QString folder_;
    qint64 lastSaved_ = 0;  // ms since 1970; used on the worker only
    QThreadPool worker_;
};
