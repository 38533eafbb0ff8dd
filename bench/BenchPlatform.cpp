// The benchmarks' platform: the program directory is a copy of the build's
// bin/ folder, so a benchmark never writes beside the real program.
#include "bench/BenchPlatform.h"

#include <QDir>
#include <QFile>

BenchPlatform::BenchPlatform() {
    const QDir bin(QStringLiteral(VORLANE_BIN_DIR));
    for (const QString& name : bin.entryList({QStringLiteral("*.bmp"), QStringLiteral("*.wav")}, QDir::Files))
        QFile::copy(bin.filePath(name), folder_.filePath(name));
}

float BenchPlatform::rnd() { return uniform_(generator_); }

QString BenchPlatform::programDirectory() { return folder_.path(); }

void BenchPlatform::hold(int milliseconds) { holds.push_back({milliseconds, Clock::now()}); }
