// The high-score file "HS": two 20-byte records. Record 1 holds the name
// (its length as an unsigned 16-bit little-endian number, then one byte per
// character in the Windows-1252 code page), record 2 the score as a
// little-endian IEEE double. A file that ends right after the score is
// whole. Decoding never fails: whatever the bytes do not hold whole reads
// as 0 or as the empty name. Writing replaces the file in one piece.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

struct HighScore {
    QString name;
    double score = 0;
};

// The bytes of the file that have a meaning: the name's record and the score.
constexpr int HighScoreBytes = 28;

HighScore decodeHighScore(const QByteArray& bytes);
QByteArray encodeHighScore(const QString& name, double score);

// The meaningful bytes of a file, read only when it is a regular file;
// nothing when there is none or it cannot be read.
std::optional<QByteArray> readHighScoreBytes(const QString& path);
// The record in a file; 0 and the empty name when it cannot be read.
HighScore readHighScoreFile(const QString& path);

enum class HighScoreWrite {
    Written,     // the file holds the new record
    HigherKept,  // the file already held a higher score, which stays
    Failed,      // the file could not be written, or exists and cannot be read
};
// Writes a new record through a fresh temporary file renamed over the old
// one, while holding a lock on the folder, so that two copies of the game
// never mix their records or lose the higher score.
HighScoreWrite writeHighScoreFile(const QString& path, const QString& name, double score);
