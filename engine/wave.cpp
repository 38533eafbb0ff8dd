// Setting up a wave: the skill and speed from the menus' check marks, the
// formation laid out lower for every wave, the pictures loaded afresh, the
// opening music and the pause before the invaders start to move.
#include "shell/frmVorlane.h"

namespace {

// How long the game stands still while the opening music plays.
constexpr int WaveStartPause = 1500;

}  // namespace

void frmVorlane::SetUpWave() {
    if (mnuEasy.checked()) sngReverseFactor = -1.005f;
    if (mnuMedium.checked()) sngReverseFactor = -1.02f;
    if (mnuHard.checked()) sngReverseFactor = -1.04f;
    intInvasionLevel = 0;
    surface.clear();
    lblbonus.hide();
    Image36.show();

    // Each wave starts lower, down to a floor set by the skill. Worked out
    // wide, so however long a game runs the offset stays sound.
    long formTop = 16L * intWave + 66;
    if (mnuEasy.checked() && formTop > 230) formTop = 230;
    if (mnuMedium.checked() && formTop > 210) formTop = 210;
    if (mnuHard.checked() && formTop > 180) formTop = 180;
    sngFormTop = static_cast<Single>(formTop);

    Timer1.setInterval(1000);
    intShipY = 400;
    for (intI = 1; intI <= 30; ++intI) {
        arrBombX[intI] = 0;
        arrBombY[intI] = 0;
    }
    intKills = 0;
    sngDropStep = 0;
    if (mnuSlow.checked()) sngStepX = 0.25f;
    if (mnuMed.checked()) sngStepX = 0.75f;
    if (mnuFast.checked()) sngStepX = 1.25f;
    if (mnuEasy.checked()) {
        intColStep = 26;
        intRowStep = 30;
    }
    if (mnuMedium.checked()) {
        intColStep = 36;
        intRowStep = 35;
    }
    if (mnuHard.checked()) {
        intColStep = 46;
        intRowStep = 40;
    }
    for (intI = 1; intI <= 30; ++intI) arrInvDead[intI] = false;
    for (intI = 1; intI <= 6; ++intI)
        for (intJ = 1; intJ <= 5; ++intJ) {
            const int k = (intJ - 1) * 6 + intI;
            arrInvX[k] = static_cast<Integer>(intColStep * intI + 20);
            arrInvY[k] = static_cast<Single>(static_cast<Integer>(intRowStep * intJ) + double(sngFormTop));
            arrInvDead[k] = false;
        }

    Image36.loadPicture(ProgramFile(QStringLiteral("ship.bmp")));
    Image36.move(intShipX, intShipY);
    for (intI = 0; intI <= 4; ++intI) {
        imgbases[intI].loadPicture(ProgramFile(QStringLiteral("base.bmp")));
        imgbases[intI].show();
    }
    Imgmothership.loadPicture(ProgramFile(QStringLiteral("Mother.bmp")));
    Imgmothership.hide();
    for (intI = 0; intI <= 29; ++intI) {
        inv[intI].loadPicture(ProgramFile(QStringLiteral("invader.bmp")));
        inv[intI].show();
    }

    Cue("Sheet.wav");
    Timer1.setEnabled(false);
    platform.hold(WaveStartPause);
    Timer1.setEnabled(true);
}
