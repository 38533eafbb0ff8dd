// The high-score file "HS": two 20-byte records. Record 1 holds the name
// (its length as an unsigned 16-bit little-endian number, then one byte per
// character in the Windows-1252 code page), record 2 the score as a
// little-endian IEEE double. A file that ends right after the score is
// whole. Reading never fails: whatever the file does not hold whole reads
// as 0 or as the empty name. Writing replaces the file in one piece.
#pragma once

#include <QByteArray>
#include <QString>

struct HighScore {
    QString name;
    double score = 0;
};

HighScore decodeHighScore(const QByteArray& bytes);
QByteArray encodeHighScore(const QString& name, double score);

class QIODevice;
// Reads the two records from an open file, never past its end.
HighScore readHighScore(QIODevice& file);
HighScore readHighScoreFile(const QString& path);
// False when the file could not be written; the old file is then untouched.
bool writeHighScoreFile(const QString& path, const QString& name, double score);
