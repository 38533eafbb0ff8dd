// The end of a game: "GAME OVER" with a rating chosen by the score, the
// window covered with green boxes of random size and shade, a pause, and
// the hand-over to the reset, which keeps a new high score and brings back
// the attract display with wave 1.
#include "shell/frmVorlane.h"

namespace {

// A score must pass each of these to earn the next rating.
constexpr double RatingThresholds[] = {10000, 20000, 40000, 60000, 80000};

constexpr int Boxes = 10000;
constexpr int BoxesPerFrame = 100;
constexpr int FrameMilliseconds = 10;
constexpr int GameOverPause = 1500;

}  // namespace

void frmVorlane::GameOver() {
    if (intGameState != 2) return;

    for (const double threshold : RatingThresholds)
        if (dblScore > threshold) intRating = static_cast<Integer>(intRating + 1);
    lblGameOver.show();
    lblRating.setCaption(arrRating[intRating]);
    lblRating.show();
    lblRating.refresh();
    platform.present();

    for (intI = 1; intI <= Boxes; ++intI) {
        intJ = static_cast<Integer>(Int(platform.rnd() * 640.0));
        intK = static_cast<Integer>(Int(platform.rnd() * 480.0));
        const double a = platform.rnd(), b = platform.rnd(), c = platform.rnd();
        surface.box(intJ, intK, intJ + Int(a * 8), intK + Int(b * 6), RGB(0, static_cast<int>(Int(c * 255)), 0));
        if (intI % BoxesPerFrame == 0) platform.hold(FrameMilliseconds);
    }
    intK = 0;
    platform.hold(GameOverPause);

    lblGameOver.hide();
    lblRating.hide();
    intInvasionLevel = 0;
    Form_DblClick();
    ResetGame();
}
