// The high-score file: its exact bytes, and every way a damaged or strange
// file is read without harm.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "scores/hsfile.h"

namespace {

QByteArray scoreBytes(double score) {
    QByteArray bytes(8, '\0');
    std::memcpy(bytes.data(), &score, 8);
    return bytes;
}

QByteArray file(const QByteArray& record1, double score, int length = 28) {
    QByteArray bytes = record1.leftJustified(20, '\0', true) + scoreBytes(score);
    return bytes.leftJustified(length, '\0', true);
}

}  // namespace

TEST(HighScoreFile, AceWith950IsWrittenByteForByte) {
    const QByteArray bytes = encodeHighScore(QStringLiteral("ACE"), 950);
    ASSERT_EQ(bytes.size(), 28);
    EXPECT_EQ(bytes.left(5), QByteArray("\x03\x00" "ACE", 5));
    EXPECT_EQ(bytes.mid(5, 15), QByteArray(15, '\0'));
    EXPECT_EQ(bytes.mid(20, 8), scoreBytes(950.0));
}

TEST(HighScoreFile, NamesTravelInWindows1252) {
    const QString name = QString::fromUtf8("J\u00F6rg\u20AC\u4E2D");
    const QByteArray bytes = encodeHighScore(name, 1);
    EXPECT_EQ(bytes.mid(2, 6), QByteArray("J\xF6rg\x80?"));
    EXPECT_EQ(decodeHighScore(bytes).name, QString::fromUtf8("J\u00F6rg\u20AC?"));
}

TEST(HighScoreFile, ShortOrStrangeFilesReadEachFieldByItself) {
    EXPECT_EQ(decodeHighScore(QByteArray()).name, QString());
    EXPECT_EQ(decodeHighScore(QByteArray()).score, 0);
    EXPECT_EQ(decodeHighScore(QByteArray("\x01", 1)).name, QString());

    const HighScore tenBytes = decodeHighScore(QByteArray("\x03\x00" "ACE\0\0\0\0\0", 10));
    EXPECT_EQ(tenBytes.name, QStringLiteral("ACE"));
    EXPECT_EQ(tenBytes.score, 0);

    const HighScore cutName = decodeHighScore(QByteArray("\x08\x00" "ACE", 5));
    EXPECT_EQ(cutName.name, QString()) << "a name the file does not hold whole";

    const HighScore tooLong = decodeHighScore(file(QByteArray("\x13\x00" "ABCDEFGHIJKLMNOPQR", 20), 777));
    EXPECT_EQ(tooLong.name, QString());
    EXPECT_EQ(tooLong.score, 777) << "the score is still read";

    const HighScore eighteen = decodeHighScore(file(QByteArray("\x12\x00" "ABCDEFGHIJKLMNOPQR", 20), 5));
    EXPECT_EQ(eighteen.name, QStringLiteral("ABCDEFGHIJKLMNOPQR"));

    EXPECT_EQ(decodeHighScore(file("\x02\x00" "AB", 1234.5, 40)).score, 1234.5) << "a full second record";
    EXPECT_EQ(decodeHighScore(file("", -5)).score, 0);
    EXPECT_EQ(decodeHighScore(file("", std::numeric_limits<double>::quiet_NaN())).score, 0);
    EXPECT_EQ(decodeHighScore(file("", std::numeric_limits<double>::infinity())).score, 0);
    EXPECT_EQ(decodeHighScore(file("", 950).left(27)).score, 0);
}

TEST(HighScoreFile, WritingReplacesTheFileWholeAndReadsBack) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("HS"));
    QFile stale(path + ".tmp");
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray(100, 'x'));
    stale.close();

    ASSERT_TRUE(writeHighScoreFile(path, QStringLiteral("ACE"), 950));
    ASSERT_TRUE(writeHighScoreFile(path, QStringLiteral("BO"), 1200));

    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), encodeHighScore(QStringLiteral("BO"), 1200));
    EXPECT_EQ(readHighScoreFile(path).name, QStringLiteral("BO"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList({"HS"})) << "no temporary file is left";
}

TEST(HighScoreFile, AFileThatCannotBeWrittenLeavesTheOldOneAlone) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("HS"));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("HS")));
    EXPECT_FALSE(writeHighScoreFile(path, QStringLiteral("ACE"), 950));
    EXPECT_EQ(readHighScoreFile(path).score, 0);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList());

    EXPECT_FALSE(writeHighScoreFile(folder.filePath(QStringLiteral("no/such/folder/HS")), QStringLiteral("A"), 1));
    EXPECT_EQ(readHighScoreFile(folder.filePath(QStringLiteral("missing"))).name, QString());
}
