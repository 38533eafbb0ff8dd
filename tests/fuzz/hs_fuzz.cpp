// Feeds arbitrary bytes to the high-score reader as the file "HS": it must
// never crash, never read past the file, and whatever it reads must come
// back unchanged when written and read again.
#include <QBuffer>
#include <QByteArray>

#include <cmath>
#include <cstdlib>

#include "scores/hsfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);

    const HighScore read = readHighScore(file);
    if (read.name.size() > 18 || !std::isfinite(read.score) || read.score < 0) std::abort();

    const HighScore again = decodeHighScore(encodeHighScore(read.name, read.score));
    if (again.name != read.name || again.score != read.score) std::abort();
    return 0;
}
