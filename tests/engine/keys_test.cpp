// The player's keys and the ship: firing from the ship's nose, the pace
// keys at their bounds, the menu bar on Enter, the help line on other
// keys, steering only in play, and the ship resting against the edges.
#include "tests/support/GameTest.h"

namespace {

constexpr Integer Enter = 13, Shift = 16, Ctrl = 17, Left = 37, Right = 39, Plus = 187, Minus = 189, KeyA = 65;

class Keys : public GameTest {
protected:
    bool menuBarShown() const {
        for (MenuItem* menu : form->menuBar())
            if (!menu->visible()) return false;
        return true;
    }
    bool menuBarHidden() const {
        for (MenuItem* menu : form->menuBar())
            if (menu->visible()) return false;
        return true;
    }
};

TEST_F(Keys, FireLaunchesOneMissileFromTheShipsNose) {
    start();
    form->intShipX = 100;
    platform.played.clear();

    form->Form_KeyDown(Shift, 1);  // Shift alone
    EXPECT_TRUE(form->blnMissile);
    EXPECT_EQ(form->intMissileX, 114);
    EXPECT_EQ(form->intMissileY, 412);
    EXPECT_EQ(platform.played, QStringList{"Fire.wav"});

    form->intShipX = 200;
    form->Form_KeyDown(Ctrl, 2);  // still in flight: nothing
    EXPECT_EQ(form->intMissileX, 114);
    EXPECT_EQ(platform.played.size(), 1);

    form->blnMissile = false;
    form->Form_KeyDown(Right, 2);  // an arrow with Ctrl held steers and fires
    EXPECT_EQ(form->intMissileX, 214);
    EXPECT_EQ(form->intShipDir, 1);
}

TEST_F(Keys, PaceKeysStopAtTheirBounds) {
    load();
    form->Form_KeyDown(Plus, 0);
    EXPECT_EQ(form->Timer2.interval(), 26);
    EXPECT_TRUE(form->lblspeed.visible());
    EXPECT_EQ(form->lblspeed.caption(), "26");
    EXPECT_TRUE(form->Label5.visible());  // not a game key

    form->Timer2.setInterval(499);
    form->Form_KeyDown(Plus, 0);
    EXPECT_EQ(form->lblspeed.caption(), "500");
    form->lblspeed.hide();
    form->Form_KeyDown(Plus, 0);
    EXPECT_EQ(form->Timer2.interval(), 500);
    EXPECT_FALSE(form->lblspeed.visible());

    form->Timer2.setInterval(3);
    form->Form_KeyDown(Minus, 0);
    EXPECT_EQ(form->Timer2.interval(), 2);
    EXPECT_EQ(form->lblspeed.caption(), "2");
    form->lblspeed.hide();
    form->Form_KeyDown(Minus, 0);
    EXPECT_EQ(form->Timer2.interval(), 2);
    EXPECT_FALSE(form->lblspeed.visible());
}

TEST_F(Keys, EnterTogglesTheMenuBarAndOtherKeysShowTheHelpLine) {
    start();
    ASSERT_TRUE(menuBarHidden());
    form->Label5.show();
    form->Label6.show();

    form->Form_KeyDown(Enter, 0);
    EXPECT_TRUE(menuBarShown());
    EXPECT_FALSE(form->Label5.visible());
    EXPECT_FALSE(form->Label6.visible());

    form->Form_KeyDown(KeyA, 0);
    EXPECT_TRUE(menuBarShown());
    EXPECT_TRUE(form->Label5.visible());
    EXPECT_TRUE(form->blnOtherKey);
    const QRect help = form->Label5.rect();
    EXPECT_GT(count(help, RGB(0, 0, 192)), 0);

    form->Form_KeyDown(Enter, 0);
    EXPECT_TRUE(menuBarHidden());
    EXPECT_FALSE(form->Label5.visible());

    form->Form_KeyDown(Enter, 0);
    form->Form_KeyDown(Left, 0);  // any other game key puts it away
    EXPECT_TRUE(menuBarHidden());
}

TEST_F(Keys, ArrowsAndFireDoNothingWithoutAGame) {
    load();
    ASSERT_EQ(form->intGameState, 1);
    form->Form_KeyDown(Right, 0);
    form->Form_KeyDown(Left, 0);
    form->Form_KeyDown(Ctrl, 2);
    EXPECT_EQ(form->intShipDir, 0);
    EXPECT_FALSE(form->blnMissile);
    EXPECT_TRUE(platform.played.filter("Fire.wav").isEmpty());

    EXPECT_TRUE(menuBarHidden());  // game keys all the same

    form->Form_KeyDown(Enter, 0);  // the menu bar answers in any state
    EXPECT_TRUE(menuBarShown());
}

TEST_F(Keys, ReleasingEitherArrowStopsTheShip) {
    start();
    form->intShipX = 300;
    form->Form_KeyDown(Right, 0);
    form->Form_KeyUp(Left, 0);
    EXPECT_EQ(form->intShipDir, 0);
    form->Timer2_Timer();
    EXPECT_EQ(form->Image36.left(), 300);
}

TEST_F(Keys, ShipRestsAgainstTheEdges) {
    start();
    form->intShipX = 580;
    form->Form_KeyDown(Right, 0);
    form->Timer2_Timer();
    EXPECT_EQ(form->Image36.left(), 586);
    form->Timer2_Timer();
    EXPECT_EQ(form->Image36.left(), 590);
    form->Form_KeyDown(Right, 0);  // the held key repeats
    form->Timer2_Timer();
    EXPECT_EQ(form->Image36.left(), 590);
    EXPECT_EQ(form->intShipDir, 1);
    const QRect ship = form->Image36.rect();
    EXPECT_EQ(ship.left(), 590);
    EXPECT_LT(count(ship, Black), ship.width() * ship.height());

    form->intShipDir = -1;
    form->intShipX = 1;
    form->MoveShip();
    EXPECT_EQ(form->Image36.left(), 0);
    form->MoveShip();
    EXPECT_EQ(form->Image36.left(), 0);
}

}  // namespace
