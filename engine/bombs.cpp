// The invaders' bombs: every slot in use is refilled from a living invader
// picked at random, falls a little faster each step, and looks at the pixel
// just below it. Low in the window that is the ship, when it lies under the
// bomb, or else a base or the ground, which the bomb blasts with a burst of
// black dots. A bomb on the ship sets off its explosion and costs a life.
#include "shell/frmVorlane.h"

namespace {

constexpr double Ground = 450;      // below this a bomb is gone
constexpr double ContactLine = 320; // above this a bomb meets nothing
constexpr double ShipLine = 400;    // below this a bomb can meet the ship
constexpr int ShipWidth = 28;

// A bomb is 3 x 3 with (x, y) its top left corner.
void drawBomb(Surface& surface, double x, double y, Long colour) { surface.box(x, y, x + 2, y + 2, colour); }

}  // namespace

void frmVorlane::MoveBombs() {
    const Integer last = intBombCount;
    for (intK = 1; intK <= last; ++intK) {
        if (arrBombX[intK] == 0 && !LaunchBomb()) continue;
        drawBomb(surface, arrBombX[intK], arrBombY[intK], Black);
        arrBombY[intK] = static_cast<Single>(double(arrBombY[intK]) + arrBombSpeed[intK]);
        arrBombSpeed[intK] = static_cast<Single>(arrBombSpeed[intK] * 1.05);

        const double x = arrBombX[intK], y = arrBombY[intK];
        if (y > Ground) {
            arrBombX[intK] = 0;
        } else if (y > ContactLine && surface.point(x, y + 3) != Black) {
            if (y > ShipLine && intShipX <= x && x <= intShipX + ShipWidth)
                ShipHit();
            else
                Blast();
        }

        if (arrBombX[intK] != 0) drawBomb(surface, arrBombX[intK], arrBombY[intK], Yellow);
    }
}

// Drops a new bomb: invaders are picked at random until a living one gives
// the bomb a place, X no longer 0 (an invader at -5 gives 0 and leaves the
// slot free, so the picking goes on). With no invader that could drop it,
// the slot stays free rather than the picking going on for ever.
bool frmVorlane::LaunchBomb() {
    bool anyDropper = false;
    for (int k = 1; k <= 30; ++k)
        if (!arrInvDead[k] && static_cast<Single>(arrInvX[k] + 5.0) != 0) anyDropper = true;
    if (!anyDropper) return false;

    do {
        intJ = static_cast<Integer>(Int(platform.rnd() * 30.0 + 1));
        if (!arrInvDead[intJ]) {
            arrBombX[intK] = static_cast<Single>(arrInvX[intJ] + 5.0);
            arrBombY[intK] = static_cast<Single>(arrInvY[intJ] + 9.0);
            arrBombSpeed[intK] = 1;
        }
    } while (arrBombX[intK] == 0);
    return true;
}

// The ship goes up in 10000 random circles, then the place is swept clean.
// The last life ends the game; the game over leaves intK at 0, so this same
// bomb step goes on from slot 1 and drops every bomb from the new formation.
void frmVorlane::ShipHit() {
    Cue("Smallexp.wav");
    for (intJ = 1; intJ <= 10000; ++intJ) {
        const double r1 = platform.rnd(), r2 = platform.rnd(), r3 = platform.rnd();
        surface.circle(intShipX + 14, intShipY + 20, Int(r1 * 30),
                       RGB(static_cast<int>(CInt(r2 * 255)), static_cast<int>(CInt(r3 * 255)), 0));
        if (intJ % 100 == 0) platform.hold(7);
    }
    surface.box(intShipX - 15, intShipY - 15, intShipX + 60, intShipY + 60, Black);
    if (intGameState == 0) intLives = static_cast<Integer>(intLives - 1);
    if (intLives <= 0) {
        intGameState = 2;
        GameOver();
    }
    arrBombX[intK] = 0;
    intShipX = 1;
}

// 150 small black dots around the bomb wear away whatever it met.
ROUNDING_CLONES void frmVorlane::Blast() {
    const double x = arrBombX[intK], y = arrBombY[intK];
    for (intJ = 1; intJ <= 150; ++intJ) {
        varDotX = static_cast<Single>(Int(platform.rnd() * 14.0) - 7);
        sngDotY = static_cast<Single>(Int(platform.rnd() * 18.0) - 9);
        const double left = x + double(varDotX), top = y + double(sngDotY);
        surface.box(left, top, left + 1, top + 1, Black);
    }
    arrBombX[intK] = 0;
}
