// One step of the player's missile: it rises, is drawn, and looks at the
// pixels just above its head. Yellow there is a bomb it can shoot down; any
// other colour is the mothership, a base or an invader, told apart by how
// high the contact is. A hit invader scores by the wave, speeds up the
// march, and the last invader of a wave brings the next one.
#include <cstdlib>

#include "shell/frmVorlane.h"
#include "shell/numbertext.h"

namespace {

// Above this row the missile has left the field.
constexpr int TopLimit = 90;
// Contacts higher than this belong to the mothership while it crosses.
constexpr int MothershipBand = 110;
// Contacts lower than this belong to the bases while they stand.
constexpr int BasesBand = 315;

constexpr Integer LastWave = 32767;

// The missile is 2 wide and 8 tall; y is its bottom row.
void drawMissile(Surface& surface, int x, int y, Long colour) { surface.box(x, y, x + 1, y - 7, colour); }

// The bonus grows the closer to the mothership's middle the hit lands.
Integer bonusFactor(int distance) {
    Integer factor = 1;
    if (distance < 32) factor = 2;
    if (distance < 24) factor = 4;
    if (distance < 16) factor = 8;
    if (distance < 8) factor = 12;
    if (distance < 4) factor = 16;
    if (distance < 2) factor = 20;
    if (distance < 1) factor = 40;
    return factor;
}

}  // namespace

void frmVorlane::MoveMissile() {
    drawMissile(surface, intMissileX, intMissileY, Black);
    intMissileY = static_cast<Integer>(intMissileY - 2 * intMissileSpeed);
    drawMissile(surface, intMissileX, intMissileY, Green);

    if (intMissileY < TopLimit) {
        blnMissile = false;
    } else if (!ShootBomb()) {
        const bool contact = surface.point(intMissileX, intMissileY - 8) != Black ||
                             surface.point(intMissileX, intMissileY - 9) != Black;
        const int h = intMissileY - 9;
        if (contact) {
            if (h < MothershipBand && blnMotherActive)
                HitMothership();
            else if (h > BasesBand && intInvasionLevel < 1)
                ErodeBase();
            else
                ScanInvaders();
        }
    }

    if (!blnMissile) drawMissile(surface, intMissileX, intMissileY, Black);
}

// Looks for a bomb just above the head; true when one was shot down.
bool frmVorlane::ShootBomb() {
    const int x = intMissileX, y = intMissileY;
    const int lookout[6][2] = {{x, y - 8},      {x - 1, y - 8}, {x + 1, y - 8},
                               {x + 1, y - 10}, {x, y - 10},    {x - 1, y - 10}};
    bool yellow = false;
    for (const auto& p : lookout)
        if (surface.point(p[0], p[1]) == Yellow) yellow = true;
    if (!yellow) return false;

    const Integer last = intBombCount;
    // The hit box is worked out in Singles: its edges are rounded to float
    // before they are compared, as the bomb's position is stored.
    const auto single = [](double value) { return static_cast<double>(static_cast<Single>(value)); };
    for (intI = 1; intI <= last; ++intI) {
        const double bombX = arrBombX[intI], bombY = arrBombY[intI];
        if (single(bombX - 2) <= x && x <= single(bombX + 4) && single(bombY - 5) <= y - 8 &&
            y - 8 <= single(bombY + 5)) {
            surface.box(bombX, bombY, bombX + 2, bombY + 2, Black);
            arrBombX[intI] = 0;
            blnMissile = false;
            return true;
        }
    }
    return false;
}

void frmVorlane::HitMothership() {
    Cue("expl.wav");
    intBonusFactor = bonusFactor(std::abs(intMotherX + 32 - intMissileX));
    const int bonus = intBonusFactor * 250;
    if (intGameState < 1) dblScore = dblScore + bonus;
    blnMotherActive = false;
    Imgmothership.hide();
    lblbonus.move(intMotherX, intMotherY);
    lblbonus.setCaption(NumberText(bonus));
    lblbonus.show();
    intBonusTicks = 20;
    blnMissile = false;
}

// Blows 35 small black holes around the missile's bottom row.
void frmVorlane::ErodeBase() {
    for (intJ = 1; intJ <= 35; ++intJ) {
        varDotX = static_cast<Single>(Int(platform.rnd() * 12.0 - 6));
        sngDotY = static_cast<Single>(Int(platform.rnd() * 20.0 - 12));
        const double left = intMissileX + double(varDotX), top = intMissileY + double(sngDotY);
        surface.box(left, top, left + 2, top + 2, Black);
    }
    blnMissile = false;
}

// Every living invader whose box holds the contact point is destroyed, so
// one step can take two invaders at once.
void frmVorlane::ScanInvaders() {
    const int x = intMissileX, h = intMissileY - 9;
    for (intI = 1; intI <= 30; ++intI) {
        if (arrInvDead[intI]) continue;
        if (!(arrInvX[intI] <= x && x <= arrInvX[intI] + 16.0 && arrInvY[intI] <= h && h <= arrInvY[intI] + 14.0))
            continue;
        if (intI == intLowestInv && intGameState < 1) dblScore = dblScore + 80;
        arrInvDead[intI] = true;
        inv[intI - 1].loadPicture(ProgramFile(QStringLiteral("invexpl.bmp")));
        if (intGameState < 1) dblScore = dblScore + intWave * 100 + Int(intKills * intWave / 10.0) * 10;
        Cue("invader.wav");
        intKills = static_cast<Integer>(intKills + 1);

        QuickenBeat();
        sngStepX = static_cast<Single>(sngStepX * 1.07);
        if (intWave > 5) sngStepX = static_cast<Single>(((intWave - 5) * 0.01 + 1) * sngStepX);

        drawMissile(surface, intMissileX, intMissileY, Black);
        // The next wave is set up at once; it leaves intI at 30, which ends the scan.
        if (intKills == 30) ClearedWave();
        blnMissile = false;
    }
}

// The wave number stops at its largest value instead of wrapping, and the
// bonus is worked out wide, so however long a game runs it scores soundly.
void frmVorlane::ClearedWave() {
    if (intWave < LastWave) intWave = static_cast<Integer>(intWave + 1);
    if (intWave == 10 || intWave == 20) intLives = static_cast<Integer>(intLives + 1);
    if (intGameState < 1) dblScore = dblScore + 1000.0 * intWave;
    SetUpWave();
}
