// The pictures beside the program and their reading: a whole one loads as
// it was drawn, and one cut short, to half or by a single byte, is refused
// like any damaged picture.
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "shell/picturefile.h"

namespace {

// The picture read from the first bytes of a file.
QImage cutTo(const QString& path, const QByteArray& bytes, qsizetype length) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes.left(length)) == length);
    file.close();
    return readPictureFile(path);
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

// The pictures the build writes: none borrows the pure yellow of the bombs
// or the pure green of the missile, which the game finds its hits by, and
// the invader has two poses to march in.
TEST(PictureFile, EachPictureLoadsWholeWithoutABombOrMissileColourAndIsRefusedCutToHalfOrOneByteShort) {
    QTemporaryDir folder;
    for (const char* name : {"ship.bmp", "base.bmp", "Mother.bmp", "invader.bmp", "invader1.bmp", "invexpl.bmp"}) {
        const QString drawn = QString(VORLANE_BIN_DIR) + '/' + name, copy = folder.filePath(name);
        const QByteArray bytes = contents(drawn);
        const QImage picture(drawn);
        ASSERT_FALSE(bytes.isEmpty() || picture.isNull()) << name;
        EXPECT_EQ(cutTo(copy, bytes, bytes.size()), picture) << name;
        EXPECT_TRUE(cutTo(copy, bytes, bytes.size() / 2).isNull()) << name;
        EXPECT_TRUE(cutTo(copy, bytes, bytes.size() - 1).isNull()) << name;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb c = picture.pixel(x, y) & 0xffffff;
                EXPECT_TRUE(c != 0xffff00 && c != 0x00ff00) << name << ": pure yellow or green at " << x << "," << y;
            }
    }
    EXPECT_NE(QImage(QString(VORLANE_BIN_DIR) + "/invader.bmp"), QImage(QString(VORLANE_BIN_DIR) + "/invader1.bmp"));
}

TEST(PictureFile, ABitmapWithAColourTableIsMeasuredFromWhereItsPixelsStart) {
    QTemporaryDir folder;
    QImage indexed(13, 7, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(0, 0, 0), qRgb(255, 0, 0)});
    indexed.fill(1);
    const QString path = folder.filePath(QStringLiteral("palette.bmp"));
    ASSERT_TRUE(indexed.save(path, "BMP"));
    const QByteArray bytes = contents(path);

    EXPECT_EQ(cutTo(path, bytes, bytes.size()).pixel(12, 6), qRgb(255, 0, 0));
    EXPECT_TRUE(cutTo(path, bytes, bytes.size() - 1).isNull());
}

// The game reads the same pictures again and again; a file put in their
// place, even one of the same size, is what it reads next.
TEST(PictureFile, APictureReplacedByAnotherOfTheSameSizeIsReadAgain) {
    QTemporaryDir folder;
    const QString place = folder.filePath("invader.bmp");
    const QString first = QString(VORLANE_BIN_DIR) + "/invader.bmp", second = QString(VORLANE_BIN_DIR) + "/invexpl.bmp";
    ASSERT_EQ(contents(first).size(), contents(second).size());
    EXPECT_EQ(cutTo(place, contents(first), contents(first).size()), QImage(first));
    EXPECT_EQ(readPictureFile(place), QImage(first)) << "read again unchanged";

    QFile file(place);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(contents(second));
    // A second later, as a player would put it there.
    file.setFileTime(file.fileTime(QFileDevice::FileModificationTime).addSecs(1), QFileDevice::FileModificationTime);
    file.close();
    EXPECT_EQ(readPictureFile(place), QImage(second));

    QFile::remove(place);
    EXPECT_TRUE(readPictureFile(place).isNull()) << "a picture taken away is gone";
}
