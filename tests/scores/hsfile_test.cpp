// The high-score file: its exact bytes, every way a damaged or strange
// file is read without harm, and a write that nothing can spoil. A lock
// held by another copy is looked at with the high-score step.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

#include <sys/stat.h>

#include "scores/hsfile.h"

// A file of the first record's bytes, cut or padded to 20, then the score (as this little-endian machine holds
// it), cut or padded to length.
static QByteArray file(const QByteArray& record1, double score, int length = 28) {
    return (record1.leftJustified(20, '\0', true) + QByteArray(reinterpret_cast<const char*>(&score), 8))
        .leftJustified(length, '\0', true);
}

static QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

static void plant(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
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
    for (const auto& f : files)
        EXPECT_TRUE(decodeHighScore(f.bytes).name == f.name && decodeHighScore(f.bytes).score == f.score)
            << f.bytes.toHex().constData();
}

TEST(HighScoreFile, WritingReplacesTheFileWholeAndNeverWritesThroughAPlantedLink) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("HS")), victim = folder.filePath(QStringLiteral("victim"));
    plant(victim, "precious");
    plant(path + ".new-Ab3dE9", QByteArray(100, 'x'));  // left by a copy killed mid-write
    ASSERT_TRUE(QFile::link(victim, path + ".new-zzzzzz") && QFile::link(victim, path + ".tmp"));

    EXPECT_EQ(writeHighScoreFile(path, QStringLiteral("ACE"), 950), HighScoreWrite::Written);
    EXPECT_EQ(writeHighScoreFile(path, QStringLiteral("BO"), 1200), HighScoreWrite::Written);
    EXPECT_EQ(contents(path), file(QByteArray("\x02\x00" "BO", 4), 1200));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::System), QStringList({"HS", "HS.tmp", "victim"}))
        << "what a cut-off write left is swept away";

    QFile::remove(path);
    ASSERT_TRUE(QFile::link(victim, path));  // "HS" itself a link: replaced, not written through
    EXPECT_EQ(writeHighScoreFile(path, QStringLiteral("ACE"), 950), HighScoreWrite::Written);
    EXPECT_EQ(contents(victim), "precious");
    EXPECT_EQ(readHighScoreFile(path).name, QStringLiteral("ACE"));
}

TEST(HighScoreFile, OnlyAHigherScoreReplacesTheStoredOneAndNothingButARegularFileIsReadOrWrittenOver) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("HS"));
    ASSERT_EQ(writeHighScoreFile(path, QStringLiteral("BO"), 1200), HighScoreWrite::Written);  // another copy
    EXPECT_EQ(writeHighScoreFile(path, QStringLiteral("ACE"), 950), HighScoreWrite::HigherKept);
    EXPECT_EQ(writeHighScoreFile(path, QStringLiteral("CY"), 1200), HighScoreWrite::Written) << "only higher stays";
    plant(path, QByteArray(40, '\x7f'));  // random bytes: no name that fits, a score of about 1.4e306
    EXPECT_EQ(writeHighScoreFile(path, QStringLiteral("ACE"), 950), HighScoreWrite::HigherKept);
    plant(path, QByteArray("\xde\xad\xbe\xef").repeated(10));  // no name, a negative score: 0
    EXPECT_EQ(writeHighScoreFile(path, QStringLiteral("ACE"), 950), HighScoreWrite::Written);
    plant(path, file(QByteArray("\x02\x00" "BO", 4), 1200, 60));
    EXPECT_EQ(readHighScoreBytes(path), file(QByteArray("\x02\x00" "BO", 4), 1200)) << "the bytes with a meaning";

    // A folder, a named pipe with no writer to wait for, a folder that is gone.
    QFile::remove(path);
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("HS")));
    EXPECT_TRUE(!readHighScoreBytes(path) && writeHighScoreFile(path, "ACE", 950) == HighScoreWrite::Failed);
    ASSERT_TRUE(QFileInfo(path).isDir() && QDir(folder.path()).rmdir(QStringLiteral("HS")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    EXPECT_TRUE(!readHighScoreBytes(path) && writeHighScoreFile(path, "ACE", 950) == HighScoreWrite::Failed);
    EXPECT_FALSE(QFileInfo(path).isFile());
    const QString gone = folder.filePath(QStringLiteral("gone/HS"));
    EXPECT_TRUE(!readHighScoreBytes(gone) && writeHighScoreFile(gone, "ACE", 950) == HighScoreWrite::Failed);
}
