// The formation's march: the step sideways, the edges with their turn,
// speed-up and drop, the bases line and the limits that trigger nothing,
// and Timer1's animation with its four-note beat.
#include "tests/support/GameTest.h"

#include <algorithm>
#include <vector>

namespace {

class March : public GameTest {
protected:
    // A fresh wave with the chosen skill and speed, no game in play.
    void wave(void (frmVorlane::*skill)(), void (frmVorlane::*speed)()) {
        load();
        (form.get()->*skill)();
        (form.get()->*speed)();
        form->SetUpWave();
    }
    // Moves the whole formation sideways.
    void shift(double dx) {
        for (int i = 1; i <= 30; ++i) form->arrInvX[i] = static_cast<Single>(form->arrInvX[i] + dx);
    }
    // True when the surface shows the file's picture where the image stands.
    bool shows(const Image& image, const char* file) const {
        const QImage picture = QImage(platform.path(QString::fromLatin1(file))).convertToFormat(QImage::Format_RGB32);
        if (picture.isNull()) return false;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb c = picture.pixel(x, y);
                if (pixel(image.left() + x, image.top() + y) != RGB(qRed(c), qGreen(c), qBlue(c))) return false;
            }
        return true;
    }
};

TEST_F(March, FirstEdgeOnEasyTurnsSpeedsUpAndDropsOnce) {
    wave(&frmVorlane::mnuEasy_Click, &frmVorlane::mnuSlow_Click);
    shift(599.75 - 176);  // the right column one step short of the limit
    const Single top = form->arrInvY[6];

    form->MarchFormation();  // exactly at 600: nothing yet
    EXPECT_FLOAT_EQ(form->arrInvX[6], 600.0f);
    EXPECT_FALSE(form->blnEdgeHit);
    EXPECT_EQ(form->Timer1.interval(), 1000);

    form->MarchFormation();  // past 600
    EXPECT_TRUE(form->blnEdgeHit);
    EXPECT_EQ(form->Timer1.interval(), 930);
    EXPECT_FLOAT_EQ(form->sngStepX, -0.25125f);
    EXPECT_FLOAT_EQ(form->sngDropStep, 10.0f);
    EXPECT_FLOAT_EQ(form->arrInvY[6], top);

    form->MarchFormation();  // back and down together
    EXPECT_FLOAT_EQ(form->arrInvX[6], 600.25f - 0.25125f);
    EXPECT_FLOAT_EQ(form->arrInvY[6], top + 10);
    EXPECT_FALSE(form->blnEdgeHit);
    EXPECT_FLOAT_EQ(form->sngDropStep, 0.0f);

    form->MarchFormation();  // the drop came once
    EXPECT_FLOAT_EQ(form->arrInvY[6], top + 10);
    EXPECT_EQ(form->Timer1.interval(), 930);
}

TEST_F(March, HardEdgeTurnsFasterAndDropsFurther) {
    wave(&frmVorlane::mnuHard_Click, &frmVorlane::mnuSlow_Click);
    shift(600.5 - 296);
    form->MarchFormation();
    EXPECT_FLOAT_EQ(form->sngStepX, -0.273f);
    EXPECT_FLOAT_EQ(form->sngDropStep, 18.0f);
}

TEST_F(March, EveryEdgeShortensTheBeatDownToFifty) {
    wave(&frmVorlane::mnuMedium_Click, &frmVorlane::mnuMed_Click);
    for (int i = 2; i <= 30; ++i) form->arrInvDead[i] = true;
    std::vector<Long> beats;
    for (int edge = 0; edge < 60; ++edge) {
        form->arrInvX[1] = 700;
        form->arrInvY[1] = 100;
        form->MarchFormation();
        beats.push_back(form->Timer1.interval());
    }
    EXPECT_EQ(std::vector<Long>(beats.begin(), beats.begin() + 5), (std::vector<Long>{930, 864, 803, 746, 693}));
    EXPECT_EQ(beats.back(), 50);
    EXPECT_EQ(*std::min_element(beats.begin(), beats.end()), 50);
}

TEST_F(March, StepIsHeldWithinFifteen) {
    wave(&frmVorlane::mnuEasy_Click, &frmVorlane::mnuSlow_Click);
    form->sngStepX = 15;
    shift(600 - 176);  // right column reaches 615
    form->MarchFormation();
    EXPECT_TRUE(form->blnEdgeHit);
    EXPECT_FLOAT_EQ(form->sngStepX, -15.0f);

    form->sngStepX = 16;  // held every tick, edge or not
    form->blnEdgeHit = false;
    shift(-300);
    form->MarchFormation();
    EXPECT_FLOAT_EQ(form->sngStepX, 15.0f);
}

TEST_F(March, ExactLimitsTriggerNothing) {
    wave(&frmVorlane::mnuMedium_Click, &frmVorlane::mnuMed_Click);
    form->sngStepX = 0;
    for (int i = 1; i <= 30; ++i) form->arrInvY[i] = 150;
    form->arrInvX[1] = 10;
    form->arrInvX[6] = 600;
    form->arrInvY[25] = 300;
    form->MarchFormation();
    EXPECT_FALSE(form->blnEdgeHit);
    EXPECT_EQ(form->intInvasionLevel, 0);
    EXPECT_EQ(form->intLowestInv, 25);

    form->arrInvY[26] = 390;  // past the bases, not yet an invasion
    form->MarchFormation();
    EXPECT_EQ(form->intInvasionLevel, 1);
    EXPECT_EQ(form->intGameState, 1);
    EXPECT_EQ(form->intLowestInv, 26);
}

TEST_F(March, DestroyedInvadersNeitherMoveNorCount) {
    wave(&frmVorlane::mnuEasy_Click, &frmVorlane::mnuSlow_Click);
    for (int k = 6; k <= 30; k += 6) form->arrInvDead[k] = true;  // the right column
    form->arrInvY[30] = 500;                                      // dead, far below
    shift(599.5 - 150);  // dead column beyond 600, the next at 599.5
    const Single deadX = form->arrInvX[6];

    form->MarchFormation();  // the living reach 599.75
    EXPECT_FALSE(form->blnEdgeHit);
    EXPECT_EQ(form->intInvasionLevel, 0);
    EXPECT_FLOAT_EQ(form->arrInvX[6], deadX);
    EXPECT_EQ(form->intLowestInv, 25);

    form->MarchFormation();  // 600.0
    form->MarchFormation();  // 600.25: now the formation turns
    EXPECT_TRUE(form->blnEdgeHit);
}

TEST_F(March, BasesVanishOnceTheFormationIsPastTheirLine) {
    wave(&frmVorlane::mnuMedium_Click, &frmVorlane::mnuMed_Click);
    const QRect base = form->imgbases[0].rect();
    EXPECT_GT(base.width() * base.height() - count(base, Black), 0);

    form->arrInvY[28] = 300.5f;
    form->MarchFormation();
    EXPECT_EQ(form->intInvasionLevel, 1);
    for (const Image& b : form->imgbases) EXPECT_FALSE(b.visible());
    EXPECT_EQ(count(base, Black), base.width() * base.height());

    form->SetUpWave();
    for (const Image& b : form->imgbases) EXPECT_TRUE(b.visible());
}

TEST_F(March, InvasionEndsTheGameAtOnce) {
    start();
    form->arrInvY[25] = 390.5f;
    form->MarchFormation();
    EXPECT_EQ(form->intGameState, 1);  // over, and back to the attract display
    EXPECT_EQ(form->intInvasionLevel, 0);
    EXPECT_FLOAT_EQ(form->arrInvY[25], 35 * 5 + 82);  // a fresh wave 1
    for (const Image& b : form->imgbases) EXPECT_TRUE(b.visible());
}

TEST_F(March, TimerOneSwapsPicturesAndBeatsFourNotes) {
    load();
    form->PlaceInvaders();
    form->arrInvDead[3] = true;
    platform.played.clear();

    form->Timer1_Timer();
    EXPECT_EQ(form->inv[29].left(), 236);  // where the wave laid out invader 30
    EXPECT_EQ(form->inv[29].top(), 257);
    EXPECT_TRUE(shows(form->inv[0], "invader.bmp"));
    EXPECT_FALSE(form->inv[2].visible());
    form->Timer1_Timer();
    EXPECT_TRUE(shows(form->inv[0], "invader1.bmp"));
    EXPECT_TRUE(shows(form->inv[29], "invader1.bmp"));
    form->Timer1_Timer();
    form->Timer1_Timer();
    form->Timer1_Timer();
    EXPECT_TRUE(shows(form->inv[0], "invader.bmp"));
    EXPECT_EQ(platform.played,
              (QStringList{"note1.wav", "note2.wav", "note3.wav", "note4.wav", "note1.wav"}));
}

TEST_F(March, WithSoundOffThePicturesStillSwapAndTheBeatWaits) {
    load();
    form->PlaceInvaders();
    form->Timer1_Timer();  // note 1
    form->mnuSound_Click();
    platform.played.clear();

    form->Timer1_Timer();
    EXPECT_TRUE(shows(form->inv[0], "invader1.bmp"));
    form->Timer1_Timer();
    EXPECT_TRUE(shows(form->inv[0], "invader.bmp"));
    EXPECT_TRUE(platform.played.isEmpty());
    EXPECT_EQ(form->intNote, 1);

    form->mnuSound_Click();
    form->Timer1_Timer();
    EXPECT_EQ(platform.played, QStringList{"note2.wav"});
}

TEST_F(March, MissingFramePictureLeavesInvadersEmptyAndTheBeatGoesOn) {
    load();
    form->PlaceInvaders();
    platform.remove(QStringLiteral("invader1.bmp"));
    platform.played.clear();
    form->Timer1_Timer();
    form->Timer1_Timer();
    EXPECT_TRUE(form->inv[0].picture().isNull());
    EXPECT_EQ(platform.played.size(), 2);
    form->Timer1_Timer();
    EXPECT_TRUE(shows(form->inv[0], "invader.bmp"));
}

}  // namespace
