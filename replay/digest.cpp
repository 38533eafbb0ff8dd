// SHA-256 of the six pictures, in the game's order and with their names,
// of the play area's pixels row by row, and of a game's state.
#include "replay/digest.h"

#include <QCryptographicHash>

#include "disk/regularfile.h"
#include "shell/frmVorlane.h"
#include "shell/picturefile.h"

QByteArray picturesDigest(const QString& programDirectory) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const char* name : frmVorlane::PictureFiles) {
        hash.addData(QByteArray(name));
        // Only what the game itself would read: a pipe in a picture's place
        // counts as no picture, and is never waited on.
        const QByteArray bytes =
            readRegularFile(programDirectory + QLatin1Char('/') + QString::fromLatin1(name), LargestPictureFile).bytes;
        hash.addData(QByteArray::number(bytes.size()));
        hash.addData(bytes);
    }
    return hash.result();
}

QByteArray surfaceDigest(const QImage& surface) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const QImage pixels = surface.convertToFormat(QImage::Format_RGB32);
    const auto rowBytes = static_cast<qsizetype>(pixels.width()) * 4;
    for (int y = 0; y < pixels.height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(pixels.constScanLine(y)), rowBytes));
    return hash.result();
}

QByteArray stateDigest(const QByteArray& state) { return QCryptographicHash::hash(state, QCryptographicHash::Sha256); }

ReplayHeader sessionHeader(std::uint32_t seed, const QString& programDirectory) {
    ReplayHeader header;
    header.gameVersion = QStringLiteral(VORLANE_VERSION);
    header.picturesDigest = picturesDigest(programDirectory);
    header.seed = seed;
    return header;
}
