// The main tick, the heartbeat of the world: six ship steps, one game step
// and one or two bomb steps, interleaved in a fixed order. The game step
// runs the missile in pairs of steps, counts down the bonus label, moves
// the formation and drives the mothership across the top of the window.
#include "shell/frmVorlane.h"

namespace {

constexpr Integer MotherStartX = -100;
constexpr Integer MotherStartY = 70;
constexpr Integer MotherStepX = 3;
constexpr Integer MotherBobSteps = 6;
constexpr Integer MotherEndX = 650;
constexpr double MotherChances = 250;

}  // namespace

void frmVorlane::Timer2_Timer() {
    MoveShip();
    GameStep();
    MoveShip();
    if (blnBombSpeedHigh) MoveBombs();
    MoveShip();
    MoveShip();
    MoveShip();
    MoveBombs();
    MoveShip();
}

void frmVorlane::GameStep() {
    // The demo pilot flies while no game is in play.
    Timer6.setEnabled(intGameState > 0);

    if (blnMissile) {
        MoveMissile();
        MoveMissile();
    }

    if (intBonusTicks > 0) --intBonusTicks;
    if (intBonusTicks == 1) lblbonus.hide();

    PlaceInvaders();

    if (intMissileSpeed > 1 && blnMissile) {
        MoveMissile();
        MoveMissile();
    }

    MarchFormation();

    if (intMissileSpeed > 2 && blnMissile) {
        MoveMissile();
        MoveMissile();
    }

    if (blnMotherActive)
        MothershipStep();
    else
        MothershipStartDraw();

    if (intMissileSpeed > 3 && blnMissile) {
        MoveMissile();
        MoveMissile();
    }
}

// One chance in 250 per tick that a pass begins; it shows from the next step.
void frmVorlane::MothershipStartDraw() {
    blnMotherSound = false;
    if (Int(double(platform.rnd()) * MotherChances) == 1) {
        blnMotherActive = true;
        intMotherX = MotherStartX;
        intMotherY = MotherStartY;
        blnMotherSound = false;
    }
}

// The image shows the position from before this step's move; the cue of a
// pass waits for sound to be switched on.
void frmVorlane::MothershipStep() {
    if (!blnMotherSound && blnSound) {
        Cue("mother.wav");
        blnMotherSound = true;
    }
    Imgmothership.move(intMotherX, intMotherY);
    Imgmothership.show();
    intMotherX = static_cast<Integer>(intMotherX + MotherStepX);
    intMotherY = static_cast<Integer>(intMotherY + intMotherDY);
    ++intMotherBob;
    if (intMotherBob > MotherBobSteps) {
        intMotherBob = 0;
        intMotherDY = static_cast<Integer>(-intMotherDY);
    }
    if (intMotherX > MotherEndX) {
        Imgmothership.hide();
        blnMotherActive = false;
    }
}
