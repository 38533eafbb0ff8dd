// What keeps the window alive on its own: the shooting star that falls
// across the sky now and then in every state, and the demo pilot that
// steers the ship at random and fires whenever it can between games.
#include "shell/frmVorlane.h"

namespace {

// A whole number from 0 to range - 1, from one draw of the platform.
int Draw(Platform& platform, int range) { return static_cast<int>(Int(double(platform.rnd()) * range)); }

}  // namespace

// The shooting star. An idle tick starts a star one time in twenty and
// draws nothing; a falling star erases its last point, moves, and shows
// itself in a new colour until its life is spent or it passes y 200.
void frmVorlane::Timer4_Timer() {
    if (intStarLife == 0) {
        if (Draw(platform, 20) != 1) return;
        intStarLife = static_cast<Integer>(Draw(platform, 100) + 50);
        intStarX = static_cast<Integer>(Draw(platform, 500) + 50);
        intStarY = static_cast<Integer>(Draw(platform, 150) + 30);
        intStarDX = static_cast<Integer>(Draw(platform, 20) + 10);
        if (Draw(platform, 2) == 0) intStarDX = static_cast<Integer>(-intStarDX);
        intStarDY = static_cast<Integer>(Draw(platform, 20) + 5);
        intStarStep = 0;
        return;
    }
    surface.pset(intStarX, intStarY, Black);
    intStarX = static_cast<Integer>(intStarX + intStarDX);
    intStarY = static_cast<Integer>(intStarY + intStarDY);
    intStarStep = static_cast<Integer>(intStarStep + 1);
    if (intStarStep <= intStarLife && intStarY <= 200) {
        const int green = Draw(platform, 255);
        const int blue = Draw(platform, 255);
        surface.pset(intStarX, intStarY, RGB(255, green, blue));
    } else {
        intStarLife = 0;
    }
}

void frmVorlane::Timer6_Timer() { DemoPilot(); }

// The demo pilot: keeps a move for a random number of ticks, steers the
// ship within the sides, and fires silently whenever no missile flies.
void frmVorlane::DemoPilot() {
    intDemoCount = static_cast<Integer>(intDemoCount + 1);
    if (intDemoCount > intDemoHold) {
        intDemoHold = static_cast<Integer>(Draw(platform, 20));
        intDemoCount = 0;
        intDemoMove = static_cast<Integer>(Draw(platform, 3));
    }
    if (intDemoMove == 1 && intShipX > 9) intShipX = static_cast<Integer>(intShipX - 2);
    if (intDemoMove == 2 && intShipX < 590) intShipX = static_cast<Integer>(intShipX + 2);
    if (!blnMissile) {
        blnMissile = true;
        intMissileX = static_cast<Integer>(intShipX + 14);
        intMissileY = static_cast<Integer>(intShipY + 5);
    }
}
