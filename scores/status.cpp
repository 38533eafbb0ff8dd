// The status line across the top of the window, rewritten twice a second:
// the high score with its holder's name, the lives, the score and the wave.
// The same tick notices a score that has passed the high score, and hides
// the speed indicator the speed keys show.
#include "shell/frmVorlane.h"
#include "shell/numbertext.h"

void frmVorlane::Timer3_Timer() {
    // Only a score strictly above the high score takes it over; the name
    // stays "!" until the player types one at the game's end.
    if (dblScore > dblHighScore) {
        dblHighScore = dblScore;
        blnNewHigh = true;
        strHighName = QStringLiteral("!");
    }
    Label1.setCaption(QStringLiteral("High Score: ") + NumberText(dblHighScore) + QStringLiteral("  (") +
                      strHighName + QStringLiteral(")"));
    Label2.setCaption(QStringLiteral("Lives: ") + NumberText(intLives));
    Label3.setCaption(QStringLiteral("Score: ") + NumberText(dblScore));
    lblwave.setCaption(QStringLiteral("Wave: ") + NumberText(intWave));
    lblspeed.hide();
}
