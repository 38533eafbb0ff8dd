// "HS" on disk, where the game keeps its high score between runs. It lives
// beside the program while that folder can be written (a build, or an
// install into the player's own folder). Under a folder the player may not
// write to (a package installed under /usr) it lives in the player's data
// folder, made at the first write; until then the "HS" beside the program,
// if any, is read as the high score.
#pragma once

#include "shell/highscorestore.h"

class HighScoreFileStore : public HighScoreStore {
public:
    // path: "HS" in the program's folder.
    explicit HighScoreFileStore(QString path) : path_(std::move(path)) {}
    std::optional<QByteArray> read() override;
    bool write(const QString& name, double score) override;
    // The file a new high score is written to now.
    QString writtenFile() const;

private:
    QString path_;
};
