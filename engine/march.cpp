// The formation's march. Every main tick the thirty invader images are put
// where the last tick left the invaders, then the living invaders step
// sideways, drop after an edge, and are scanned for the side limits, the
// bases line and the invasion line. Every Timer1 tick hides the destroyed,
// swaps the two invader pictures and plays the next note of the beat.
#include "shell/frmVorlane.h"
#include "shell/picturefile.h"

namespace {

constexpr double LeftLimit = 10;
constexpr double RightLimit = 600;
constexpr double BasesLine = 300;
constexpr double InvasionLine = 390;
constexpr double FastestStep = 15;
constexpr Long FastestBeat = 50;

}  // namespace

void frmVorlane::Timer1_Timer() { AnimateInvaders(); }

// Every edge and every hit shortens the beat by 7 %, down to the fastest.
void frmVorlane::QuickenBeat() {
    Long beat = static_cast<Long>(Int(Timer1.interval() * 0.93));
    if (beat < FastestBeat) beat = FastestBeat;
    Timer1.setInterval(beat);
}

// The images show where the previous tick left the invaders; the dead are
// moved too, out of sight.
void frmVorlane::PlaceInvaders() {
    for (intI = 1; intI <= 30; ++intI) inv[intI - 1].move(arrInvX[intI], arrInvY[intI]);
}

void frmVorlane::MarchFormation() {
    // March: the step sideways, and the drop that an edge left pending.
    for (intI = 1; intI <= 30; ++intI) {
        if (arrInvDead[intI]) continue;
        arrInvX[intI] = static_cast<Single>(double(arrInvX[intI]) + double(sngStepX));
        if (blnEdgeHit) arrInvY[intI] = static_cast<Single>(double(arrInvY[intI]) + double(sngDropStep));
    }

    blnEdgeHit = false;
    sngDropStep = 0;
    sngLowestY = 0;

    // Scan the living. The invasion ends the game at once; the game over
    // sets up a fresh wave and leaves intI at its last invader, so the
    // scan ends when it returns.
    for (intI = 1; intI <= 30; ++intI) {
        if (arrInvDead[intI]) continue;
        if (arrInvY[intI] > sngLowestY) {
            intLowestInv = intI;
            sngLowestY = arrInvY[intI];
        }
        if (arrInvX[intI] > RightLimit || arrInvX[intI] < LeftLimit) blnEdgeHit = true;
        if (arrInvY[intI] > BasesLine) intInvasionLevel = 1;
        if (arrInvY[intI] > InvasionLine) {
            intInvasionLevel = 2;
            intGameState = 2;
            GameOver();
        }
    }

    // An edge: the beat quickens, the formation turns faster and drops
    // by the skill's step on the next tick.
    if (blnEdgeHit) {
        QuickenBeat();
        sngStepX = static_cast<Single>(double(sngReverseFactor) * double(sngStepX));
        if (mnuHard.checked()) sngStepX = static_cast<Single>(double(sngStepX) * 1.05);
        if (mnuEasy.checked()) sngDropStep = 10;
        if (mnuMedium.checked()) sngDropStep = 14;
        if (mnuHard.checked()) sngDropStep = 18;
    }

    if (sngStepX > FastestStep) sngStepX = FastestStep;
    if (sngStepX < -FastestStep) sngStepX = -FastestStep;

    // Once the formation is past the bases line they are lost for the wave.
    if (intInvasionLevel == 1)
        for (Image& base : imgbases) base.hide();
}

void frmVorlane::AnimateInvaders() {
    for (intI = 0; intI <= 29; ++intI)
        if (arrInvDead[intI + 1]) inv[intI].hide();

    // The two pictures in turn; a picture gone missing or bad since load
    // leaves the invaders with the picture they had, and the march goes on.
    QString frame;
    if (blnInvFrame) {
        blnInvFrame = false;
        frame = QStringLiteral("invader1.bmp");
    } else {
        blnInvFrame = true;
        frame = QStringLiteral("invader.bmp");
    }
    const QImage picture = readPictureFile(ProgramFile(frame));
    for (intI = 0; intI <= 29; ++intI)
        if (!picture.isNull()) inv[intI].setPicture(picture);

    // The beat moves on only while it can be heard.
    if (blnSound && blnWaveDevice) {
        ++intNote;
        if (intNote > 4) intNote = 1;
        PlayWaveFile(ProgramFile(QStringLiteral("note%1.wav").arg(intNote)), true);
    }
}
