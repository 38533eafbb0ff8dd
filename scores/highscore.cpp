// The high-score step of every reset: a game that passed the high score
// plays the fanfare, asks the player's name and keeps it in "HS"; otherwise
// the stored high score and its holder are read back.
#include "scores/hsfile.h"
#include "scores/hsfilestore.h"
#include "shell/frmVorlane.h"

namespace {

constexpr int LongestName = 10;

QString firstCharacters(const QString& text, int count) {
    const QVector<uint> characters = text.toUcs4();
    if (characters.size() <= count) return text;
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()), count);
}

}  // namespace

void frmVorlane::HighScoreStep() {
    if (!blnNewHigh) {
        // No file to read (none yet, or one that cannot be read): the high
        // score in memory stands. An empty file reads as 0 and no name.
        if (const std::optional<QByteArray> bytes = HighScores().read()) {
            const HighScore stored = decodeHighScore(*bytes);
            dblHighScore = stored.score;
            strHighName = stored.name;
        }
        return;
    }
    CloseAllDevices(QStringLiteral("Close all"));
    Timer1.setEnabled(false);
    if (blnWaveDevice) PlayWaveFile(ProgramFile(QStringLiteral("high.wav")), true);
    strHighName = platform.inputBox(QStringLiteral("Enter your name ...\r\rMax 10 Characters."),
                                    QStringLiteral("!!! High score !!!"));
    strHighName = firstCharacters(strHighName, LongestName);
    // A high score no file could take is kept for this run only; what the
    // game shows never depends on whether the write worked.
    HighScores().write(strHighName, dblHighScore);
    blnNewHigh = false;
}

HighScoreStore& frmVorlane::HighScores() {
    if (highScores) return *highScores;
    if (!fileStore_) fileStore_ = std::make_unique<HighScoreFileStore>(ProgramFile(QStringLiteral("HS")));
    return *fileStore_;
}

frmVorlane::~frmVorlane() = default;
