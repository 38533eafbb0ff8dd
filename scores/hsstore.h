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
    // The bytes of "HS" as stored, or nothing when no file could be read:
    // the game then keeps the high score it holds.
    virtual std::optional<QByteArray> read() = 0;
    // Stores a new high score; false when it could not be kept.
    virtual bool write(const QString& name, double score) = 0;
};

// "HS" for the desktop program. It lives beside the program while that
// folder can be written (a build, or an install into the player's own
// folder). Under a folder the player may not write to (a package installed
// under /usr) it lives in the player's data folder, $XDG_DATA_HOME/vorlane
// (~/.local/share/vorlane by default), made at the first write; until
// then the "HS" beside the program, if any, is read as the high score.
class HighScoreFileStore : public HighScoreStore {
public:
    // path: "HS" in the program's folder.
    explicit HighScoreFileStore(QString path) : path_(std::move(path)) {}
    std::optional<QByteArray> read() override;
    bool write(const QString& name, double score) override;
    // The file a new high score goes into now.
    QString keptIn() const;

private:
    QString path_;
};
