// The scripted platform of the unit tests.
#include "tests/support/TestPlatform.h"

#include <QDir>
#include <QFileInfo>

TestPlatform::TestPlatform() {
    const QDir bin(QStringLiteral(VORLANE_BIN_DIR));
    for (const QString& name : bin.entryList({QStringLiteral("*.bmp"), QStringLiteral("*.wav")}, QDir::Files))
        QFile::copy(bin.filePath(name), folder.filePath(name));
}

float TestPlatform::rnd() {
    ++draws;
    if (!script.empty()) {
        const float value = script.front();
        script.pop_front();
        return value;
    }
    return std::uniform_real_distribution<float>(0.0f, 1.0f)(fallback);
}

bool TestPlatform::playSound(const QString& path, bool) {
    const QFileInfo file(path);
    requested << file.fileName();
    if (!file.isFile()) return false;
    played << file.fileName();
    return true;
}

void TestPlatform::messageBox(const QString& text, const QString&) {
    messages << text;
    if (duringDialog) duringDialog();
}

QString TestPlatform::inputBox(const QString& prompt, const QString& title) {
    prompts << prompt;
    promptTitles << title;
    if (duringDialog) duringDialog();
    if (answers.empty()) return QString();
    const QString answer = answers.front();
    answers.pop_front();
    return answer;
}

void TestPlatform::hold(int milliseconds) {
    ++holds;
    holdMilliseconds += milliseconds;
    if (duringHold) duringHold();
}
