// Where the game keeps its high score between runs. The game reads the
// bytes of "HS" and writes a new name and score only through this, so the
// desktop program can keep the file where the player may write, and a
// replay can give the game the bytes it read when the game was recorded.
// What the game shows depends on what read() returns, never on whether a
// write succeeded.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class HighScoreStore {
public:
    virtual ~HighScoreStore() = default;
    // The bytes of "HS" as the store holds them (a record not yet on disk
    // included), or nothing when there is none to read: the game then keeps
    // the high score it holds.
    virtual std::optional<QByteArray> read() = 0;
    // Takes a new high score to keep; false when the store will not keep
    // it (it holds a higher one).
    virtual bool write(const QString& name, double score) = 0;
};
