// Held fire: a held Ctrl keeps firing, a new missile each time the last
// has ended; the repeats stop on release, on a repeat from the desktop
// itself, and when the window loses the focus or hides.
#include <QCoreApplication>
#include <QFocusEvent>
#include <QWidget>

#include "desktop/input/HeldFire.h"
#include "tests/support/GameTest.h"

constexpr int Ctrl = 17, Shift = 16;

class HeldFireTest : public GameTest {
protected:
    QWidget window;
    HeldFire fire{[this](const GameEvent& event) { dispatch(*form, event); }, window};

    void holdCtrl() {
        dispatch(*form, GameEvent::keyDown(Ctrl, 2));
        fire.press(Ctrl, 2);
    }
    void untilMissileEnds() {
        for (int tick = 0; tick < 200 && form->blnMissile; ++tick) form->Timer2_Timer();
        ASSERT_FALSE(form->blnMissile);
    }
};

TEST_F(HeldFireTest, AHeldCtrlFiresAgainEachTimeTheMissileHasEnded) {
    start();
    holdCtrl();
    EXPECT_TRUE(form->blnMissile);
    form->Timer2_Timer();
    const Integer climbing = form->intMissileY;
    fire.repeat();  // in flight: the repeat changes nothing
    EXPECT_EQ(form->intMissileY, climbing);
    for (int shot = 2; shot <= 4; ++shot) {
        untilMissileEnds();
        fire.repeat();
        EXPECT_EQ(form->intMissileY, form->intShipY + 12) << "shot " << shot;
    }
    EXPECT_EQ(platform.played.count("Fire.wav"), 4);

    fire.release(Ctrl);
    untilMissileEnds();
    fire.repeat();
    EXPECT_FALSE(form->blnMissile);
}

TEST_F(HeldFireTest, TheOthersTakeOverALetGoKeyAndTheDesktopsRepeatOrLosingTheWindowEndsIt) {
    start();
    fire.press(Ctrl, 2);
    fire.press(Shift, 3);
    fire.press(Ctrl, 2);  // the same key held twice, as a pad and the keyboard do
    fire.release(Ctrl);
    fire.release(Shift);
    EXPECT_TRUE(fire.repeating()) << "the first Ctrl is still held";
    fire.repeatedByDesktop(Ctrl);
    EXPECT_FALSE(fire.repeating());

    holdCtrl();
    window.show();
    window.hide();
    EXPECT_FALSE(fire.repeating());
    holdCtrl();
    QFocusEvent away(QEvent::FocusOut);
    QCoreApplication::sendEvent(&window, &away);
    EXPECT_FALSE(fire.repeating());
}
