// The player's keys and the ship: firing from the ship's nose, steering
// only in play with the ship resting against the edges, the pace keys at
// their bounds, the menu bar on Enter and the help line on other keys.
#include "tests/support/GameTest.h"

constexpr Integer Enter = 13, Shift = 16, Ctrl = 17, Left = 37, Right = 39, Plus = 187, Minus = 189;

using Keys = GameTest;

TEST_F(Keys, InPlayAModifierFiresFromTheNoseAndTheArrowsSteerTheShipUpToTheEdges) {
    start();
    form->intShipX = 6;
    form->Form_KeyDown(Shift, 1);  // Shift alone
    EXPECT_EQ(QPoint(form->intMissileX, form->intMissileY), QPoint(20, 412)) << "from the ship's nose";
    form->Form_KeyDown(Right, 2);  // Ctrl and an arrow: one missile at a time, but the ship steers
    form->Form_KeyUp(Left, 0);     // until either arrow is released
    form->Timer2_Timer();
    EXPECT_EQ(platform.played.count("Fire.wav"), 1);
    EXPECT_EQ(form->Image36.left(), 6);
    form->Form_KeyDown(Left, 0);
    form->Timer2_Timer();
    form->Timer2_Timer();
    EXPECT_EQ(form->Image36.left(), 0) << "drawn one step past the edge, and held there";

    form->intShipX = 584;
    form->Form_KeyDown(Right, 0);
    form->Timer2_Timer();
    EXPECT_EQ(form->Image36.left(), 590) << "six steps a tick";
    form->Form_KeyDown(Right, 0);  // the held key repeats at the edge
    form->Timer2_Timer();
    EXPECT_EQ(form->Image36.left(), 590);
    EXPECT_LT(count(form->Image36.rect(), Black), form->Image36.width() * form->Image36.height());
}

TEST_F(Keys, WithoutAGameOnlyThePaceMenuAndHelpKeysAct) {
    load();
    form->Form_KeyDown(Plus, 0);  // not a game key: the help line shows, the menu bar stays
    EXPECT_TRUE(form->lblspeed.visible() && form->lblspeed.caption() == "26" && form->mnuGame.visible());
    EXPECT_GT(count(form->Label5.rect(), RGB(0, 0, 192)), 0);
    const struct { Integer key; Long from, to; } bounds[] = {{Plus, 499, 500}, {Minus, 3, 2}};
    for (const auto& bound : bounds) {
        form->Timer2.setInterval(bound.from);
        form->Form_KeyDown(bound.key, 0);
        EXPECT_EQ(form->lblspeed.caption(), QString::number(bound.to));
        form->lblspeed.hide();
        form->Form_KeyDown(bound.key, 0);  // at the bound: nothing
        EXPECT_TRUE(form->Timer2.interval() == bound.to && !form->lblspeed.visible());
    }

    form->Form_KeyDown(Right, 0);  // game keys neither steer nor fire, but put the menu bar and help line away
    form->Form_KeyDown(Ctrl, 2);
    EXPECT_TRUE(form->intShipDir == 0 && !form->blnMissile);
    EXPECT_FALSE(form->mnuGame.visible() || form->Label5.visible());
    form->Label6.show();
    form->Form_KeyDown(Enter, 0);
    EXPECT_TRUE(form->mnuGame.visible() && !form->Label6.visible());
    form->Form_KeyDown(Enter, 0);
    EXPECT_FALSE(form->mnuGame.visible());
}
