// The menu commands: the settings the player chooses with their check
// marks, sound on and off, hiding the menu bar, and the two help panels.
// Start and Exit belong to the game's lifecycle.
#include "shell/frmVorlane.h"

namespace {

// Checks the chosen item and unchecks the others of its group, in order.
void MoveCheck(const MenuItem& group, MenuItem& chosen) {
    chosen.setChecked(true);
    for (MenuItem* item : group.items())
        if (item != &chosen) item->setChecked(false);
}

}  // namespace

void frmVorlane::connectMenus() {
    mnuStart.onClick([this] { mnuStart_Click(); });
    mnuExit.onClick([this] { mnuExit_Click(); });
    mnuEasy.onClick([this] { mnuEasy_Click(); });
    mnuMedium.onClick([this] { mnuMedium_Click(); });
    mnuHard.onClick([this] { mnuHard_Click(); });
    mnuSlow.onClick([this] { mnuSlow_Click(); });
    mnuMed.onClick([this] { mnuMed_Click(); });
    mnuFast.onClick([this] { mnuFast_Click(); });
    mnu1.onClick([this] { mnu1_Click(); });
    mnu2.onClick([this] { mnu2_Click(); });
    mnu3.onClick([this] { mnu3_Click(); });
    mnu4.onClick([this] { mnu4_Click(); });
    mnu5.onClick([this] { mnu5_Click(); });
    mnu6.onClick([this] { mnu6_Click(); });
    mnu7.onClick([this] { mnu7_Click(); });
    mnu8.onClick([this] { mnu8_Click(); });
    mnu9.onClick([this] { mnu9_Click(); });
    mnu10.onClick([this] { mnu10_Click(); });
    mnu15.onClick([this] { mnu15_Click(); });
    mnu20.onClick([this] { mnu20_Click(); });
    mnu25.onClick([this] { mnu25_Click(); });
    mnu30.onClick([this] { mnu30_Click(); });
    mnuLow.onClick([this] { mnuLow_Click(); });
    mnuHigh.onClick([this] { mnuHigh_Click(); });
    mnumis1.onClick([this] { mnumis1_Click(); });
    mnumis2.onClick([this] { mnumis2_Click(); });
    mnumis3.onClick([this] { mnumis3_Click(); });
    mnumis4.onClick([this] { mnumis4_Click(); });
    mnuMusicon.onClick([this] { mnuMusicon_Click(); });
    mnuSound.onClick([this] { mnuSound_Click(); });
    mnuHidemenu.onClick([this] { mnuHidemenu_Click(); });
    mnuKeys.onClick([this] { mnuKeys_Click(); });
    mnuAbout.onClick([this] { mnuAbout_Click(); });
}

// Skill: a drop that is pending now uses the new skill's step.
void frmVorlane::mnuEasy_Click() {
    sngDropStep = 8;
    MoveCheck(mnuSkill, mnuEasy);
}

void frmVorlane::mnuMedium_Click() {
    sngDropStep = 14;
    MoveCheck(mnuSkill, mnuMedium);
}

void frmVorlane::mnuHard_Click() {
    sngDropStep = 20;
    MoveCheck(mnuSkill, mnuHard);
}

// Speed is read from the check marks at the next wave.
void frmVorlane::mnuSlow_Click() { MoveCheck(mnuSpeed, mnuSlow); }
void frmVorlane::mnuMed_Click() { MoveCheck(mnuSpeed, mnuMed); }
void frmVorlane::mnuFast_Click() { MoveCheck(mnuSpeed, mnuFast); }

// Bombs: every bomb on the screen is erased and every slot freed, whatever
// the old and the new count; the slots in use relaunch at the next step.
void frmVorlane::BombsCommand(MenuItem& chosen, Integer count) {
    MoveCheck(mnuBombs, chosen);
    for (intI = 1; intI <= 30; ++intI) {
        surface.box(arrBombX[intI], arrBombY[intI], arrBombX[intI] + 2, arrBombY[intI] + 2, Black);
        arrBombX[intI] = 0;
        arrBombY[intI] = 0;
    }
    intBombCount = count;
}

void frmVorlane::mnu1_Click() { BombsCommand(mnu1, 1); }
void frmVorlane::mnu2_Click() { BombsCommand(mnu2, 2); }
void frmVorlane::mnu3_Click() { BombsCommand(mnu3, 3); }
void frmVorlane::mnu4_Click() { BombsCommand(mnu4, 4); }
void frmVorlane::mnu5_Click() { BombsCommand(mnu5, 5); }
void frmVorlane::mnu6_Click() { BombsCommand(mnu6, 6); }
void frmVorlane::mnu7_Click() { BombsCommand(mnu7, 7); }
void frmVorlane::mnu8_Click() { BombsCommand(mnu8, 8); }
void frmVorlane::mnu9_Click() { BombsCommand(mnu9, 9); }
void frmVorlane::mnu10_Click() { BombsCommand(mnu10, 10); }
void frmVorlane::mnu15_Click() { BombsCommand(mnu15, 15); }
void frmVorlane::mnu20_Click() { BombsCommand(mnu20, 20); }
void frmVorlane::mnu25_Click() { BombsCommand(mnu25, 25); }
void frmVorlane::mnu30_Click() { BombsCommand(mnu30, 30); }

void frmVorlane::mnuLow_Click() {
    MoveCheck(mnuBombSpeed, mnuLow);
    blnBombSpeedHigh = false;
}

void frmVorlane::mnuHigh_Click() {
    MoveCheck(mnuBombSpeed, mnuHigh);
    blnBombSpeedHigh = true;
}

void frmVorlane::mnumis1_Click() {
    intMissileSpeed = 1;
    MoveCheck(mnuMissile, mnumis1);
}

void frmVorlane::mnumis2_Click() {
    intMissileSpeed = 2;
    MoveCheck(mnuMissile, mnumis2);
}

void frmVorlane::mnumis3_Click() {
    intMissileSpeed = 3;
    MoveCheck(mnuMissile, mnumis3);
}

void frmVorlane::mnumis4_Click() {
    intMissileSpeed = 4;
    MoveCheck(mnuMissile, mnumis4);
}

// There is no music track: the item stays greyed and does nothing.
void frmVorlane::mnuMusicon_Click() {}

// Toggles the player's wish for sound; cues still need a device.
void frmVorlane::mnuSound_Click() {
    if (blnSound) {
        blnSound = false;
        mnuSound.setChecked(false);
    } else {
        blnSound = true;
        mnuSound.setChecked(true);
    }
}

void frmVorlane::ShowMenus(bool visible) {
    for (MenuItem* menu : {&mnuGame, &mnuSkill, &mnuOptions, &mnuHelp, &mnuBombs, &mnuSpeed, &mnuMissile,
                           &mnuBombSpeed})
        menu->setVisible(visible);
}

// Only the Enter key brings the menu bar back.
void frmVorlane::mnuHidemenu_Click() { ShowMenus(false); }

void frmVorlane::mnuKeys_Click() { Label5.show(); }

// The credits stand while the box is open; the host runs no tick meanwhile.
void frmVorlane::mnuAbout_Click() {
    Label6.show();
    platform.messageBox(QStringLiteral("OK?"), QStringLiteral("Vorlane"));
    Label6.hide();
}
