// The player's keys and the ship. A key press classifies itself, changes
// the main tick's pace, steers, fires and shows or hides the menu bar; a
// release of an arrow stops the ship. The ship's image moves only in the
// ship step, six times per main tick.
#include "shell/frmVorlane.h"

namespace {

constexpr Integer KeyEnter = 13;
constexpr Integer KeyLeft = 37;
constexpr Integer KeyRight = 39;
constexpr Integer KeySlower = 187;  // the plus/equals key
constexpr Integer KeyFaster = 189;  // the minus key
constexpr Long SlowestTick = 500;
constexpr Long FastestTick = 2;
constexpr Integer ShipLeftEdge = 1;
constexpr Integer ShipRightEdge = 590;

}  // namespace

void frmVorlane::Form_KeyDown(Integer keyCode, Integer shift) {
    // Game keys are the arrows, Enter, code 0 and anything with a
    // modifier held; any other key brings up the keys help line.
    if (keyCode == KeyLeft || keyCode == KeyRight || keyCode == KeyEnter || keyCode == 0 || shift != 0) {
        Label5.hide();
        blnOtherKey = false;
    } else {
        blnOtherKey = true;
        Label5.show();
    }

    // The pace of the main tick, shown in milliseconds.
    if (keyCode == KeySlower && Timer2.interval() < SlowestTick) {
        Timer2.setInterval(Timer2.interval() + 1);
        lblspeed.show();
        lblspeed.setCaption(QString::number(Timer2.interval()));
    }
    if (keyCode == KeyFaster && Timer2.interval() > FastestTick) {
        Timer2.setInterval(Timer2.interval() - 1);
        lblspeed.show();
        lblspeed.setCaption(QString::number(Timer2.interval()));
    }

    // Steer, in play only.
    if (keyCode == KeyLeft && intGameState < 1 && intShipX >= ShipLeftEdge) intShipDir = -1;
    if (keyCode == KeyRight && intGameState < 1 && intShipX < ShipRightEdge) intShipDir = 1;

    // Fire: one missile at a time, from the ship's nose.
    if (shift != 0 && intGameState < 1 && !blnMissile) {
        blnMissile = true;
        intMissileX = static_cast<Integer>(intShipX + 14);
        intMissileY = static_cast<Integer>(intShipY + 12);
        Cue("Fire.wav");
    }

    // Enter brings the menu bar back; other game keys put it away.
    if (keyCode == KeyEnter && !mnuGame.visible()) {
        ShowMenus(true);
        Label5.hide();
        Label6.hide();
    } else if (blnOtherKey) {
        return;
    } else {
        ShowMenus(false);
        Label5.hide();
        Label6.hide();
    }
}

// Releasing either arrow stops the ship, whichever way it was going.
void frmVorlane::Form_KeyUp(Integer keyCode, Integer) {
    if (keyCode == KeyLeft && intGameState < 1) intShipDir = 0;
    if (keyCode == KeyRight && intGameState < 1) intShipDir = 0;
}

// The ship rests against the edges: drawn at most one step past them,
// clamped back before the next step.
void frmVorlane::MoveShip() {
    if (intShipX < ShipLeftEdge) intShipX = ShipLeftEdge;
    if (intShipX > ShipRightEdge - 1) intShipX = ShipRightEdge - 1;
    if (intShipX >= ShipLeftEdge && intShipX < ShipRightEdge) intShipX = static_cast<Integer>(intShipX + intShipDir);
    Image36.move(intShipX, intShipY);
}
