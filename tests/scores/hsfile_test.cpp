// The high-score file: its exact bytes, and every way a damaged or strange
// file is read without harm.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

#include "scores/hsfile.h"

// A file of the first record's bytes, cut or padded to 20, then the score (as this little-endian machine holds
// it), cut or padded to length.
static QByteArray file(const QByteArray& record1, double score, int length = 28) {
    const QByteArray scoreBytes(reinterpret_cast<const char*>(&score), 8);
    return (record1.leftJustified(20, '\0', true) + scoreBytes).leftJustified(length, '\0', true);
}

TEST(HighScoreFile, NamesTravelInWindows1252AndShortOrStrangeFilesReadEachFieldByItself) {
    const QByteArray bytes = encodeHighScore(QString::fromUtf8("J\u00F6rg\u20AC\u4E2D"), 1);
    EXPECT_EQ(bytes.mid(2, 6), QByteArray("J\xF6rg\x80?"));
    EXPECT_EQ(decodeHighScore(bytes).name, QString::fromUtf8("J\u00F6rg\u20AC?"));

    const double nan = std::numeric_limits<double>::quiet_NaN(), infinity = std::numeric_limits<double>::infinity();
    const struct { QByteArray bytes; const char* name; double score; } files[] = {
        {QByteArray(), "", 0}, {QByteArray("\x01", 1), "", 0}, {QByteArray("\x03\x00" "ACE\0\0\0\0\0", 10), "ACE", 0},
        {QByteArray("\x08\x00" "ACE", 5), "", 0},  // a name the file does not hold whole
        {file(QByteArray("\x13\x00" "ABCDEFGHIJKLMNOPQR", 20), 777), "", 777},  // too long a name; the score is read
        {file(QByteArray("\x12\x00" "ABCDEFGHIJKLMNOPQR", 20), 5), "ABCDEFGHIJKLMNOPQR", 5},
        {file(QByteArray("\x02\x00" "AB", 4), 1234.5, 40), "AB", 1234.5},  // a full second record
        {file("", -5), "", 0}, {file("", nan), "", 0}, {file("", infinity), "", 0}, {file("", 950).left(27), "", 0}};
    for (const auto& f : files) {
        EXPECT_EQ(decodeHighScore(f.bytes).name, QString::fromLatin1(f.name)) << f.bytes.toHex().constData();
        EXPECT_EQ(decodeHighScore(f.bytes).score, f.score) << f.bytes.toHex().constData();
    }
}

TEST(HighScoreFile, WritingReplacesTheFileWholeByteForByteOrLeavesTheOldOneAlone) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("HS"));
    QFile stale(path + ".tmp");  // longer than a record: written over, not into
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly) && stale.write(QByteArray(100, 'x')) == 100);
    stale.close();

    ASSERT_TRUE(writeHighScoreFile(path, QStringLiteral("ACE"), 950));
    ASSERT_TRUE(writeHighScoreFile(path, QStringLiteral("BO"), 1200));
    QFile written(path);
    EXPECT_TRUE(written.open(QIODevice::ReadOnly) && written.readAll() == file(QByteArray("\x02\x00" "BO", 4), 1200));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList({"HS"})) << "no temporary file is left";

    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("HS.tmp")));
    EXPECT_FALSE(writeHighScoreFile(path, QStringLiteral("ACE"), 950));
    EXPECT_EQ(readHighScoreFile(path).name, QStringLiteral("BO"));
    EXPECT_EQ(readHighScoreFile(folder.path()).score, 0) << "a folder reads as no file";
}
