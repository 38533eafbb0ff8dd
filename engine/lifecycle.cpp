// The life of the window: loading it, returning to the no-game state after
// load and after every game, the restart step every start passes through,
// and the Start and Exit commands.
#include <QStringList>

#include "shell/frmVorlane.h"
#include "shell/picturefile.h"

const std::array<const char*, 6> frmVorlane::PictureFiles = {"ship.bmp",    "base.bmp",     "Mother.bmp",
                                                             "invader.bmp", "invader1.bmp", "invexpl.bmp"};

QString frmVorlane::ProgramFile(const QString& fileName) {
    return platform.programDirectory() + QLatin1Char('/') + fileName;
}

// The window must not open blind: every picture has to be there at load,
// and be one the game can show. A file that is no picture, or one larger
// than 1024 x 1024, is named with the missing ones.
bool frmVorlane::PicturesPresent() {
    QStringList missing;
    for (const char* name : PictureFiles)
        if (readPictureFile(ProgramFile(QString::fromLatin1(name))).isNull())
            missing << QStringLiteral("    ") + QString::fromLatin1(name);
    if (missing.isEmpty()) return true;
    platform.messageBox(QStringLiteral("These pictures are missing from %1:\n\n%2\n\nPlease install the game again.")
                            .arg(platform.programDirectory(), missing.join(QLatin1Char('\n'))),
                        QStringLiteral("Vorlane"));
    platform.endProgram(1);
    return false;
}

void frmVorlane::Form_Load() {
    if (!PicturesPresent()) return;
    blnBombSpeedHigh = false;
    intMissileSpeed = 4;
    intBombCount = 10;
    blnWaveDevice = CanPlayWaves();
    if (blnWaveDevice) blnSound = true;
    ResetGame();
}

void frmVorlane::ResetGame() {
    intShipDir = 0;
    intMotherDY = 1;
    surface.setBackColor(Black);
    Image36.show();
    HighScoreStep();
    blnMissile = false;
    intShipX = 1;
    intShipY = 400;
    intGameState = 2;
    intLives = 0;
    intRating = 0;
    arrRating = {QStringLiteral("BEGINNER"),  QStringLiteral("TRY AGAIN"), QStringLiteral("SPACE-CADET"),
                 QStringLiteral("WELL DONE"), QStringLiteral("EXPERT"),    QStringLiteral("INVADER-KING")};
    Form_DblClick();
    SetUpWave();
}

// The restart step. It acts only inside a start or a game's end, so a
// double-click by the player changes nothing.
void frmVorlane::Form_DblClick() {
    if (intGameState != 2) return;
    CloseAllDevices();
    intWave = 1;
    intShipX = 1;
    intGameState = 1;
}

void frmVorlane::mnuStart_Click() {
    intShipX = 1;
    dblScore = 0;
    // A new high score is forgotten only here, when a new game starts, and
    // not at every wave set-up: a player who beat the high score in an
    // earlier wave and then scored nothing more in the last one is still
    // asked for a name, and the score is kept.
    blnNewHigh = false;
    for (intI = 1; intI <= 30; ++intI) {
        arrBombX[intI] = 0;
        arrBombY[intI] = 0;
    }
    blnMissile = false;
    surface.clear();
    intGameState = 2;
    Form_DblClick();
    intGameState = 0;
    SetUpWave();
    intRating = 0;
    intLives = 3;
    Label6.hide();
    lblGameOver.hide();
    ShowMenus(false);
}

void frmVorlane::mnuExit_Click() {
    CloseAllDevices();
    platform.endProgram(0);
}
