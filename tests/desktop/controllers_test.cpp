// Game controllers, with SDL's virtual joystick standing in for a pad and
// the SDL thread reading it: the d-pad and the left stick steer, a held A
// keeps firing, Start opens the menus and Back pauses, and a pad pulled out
// while it steers and fires lets go. What the pad does reaches the game as
// events posted to the window's thread.
#include <QWidget>

#include "desktop/input/Controllers.h"
#include "desktop/input/HeldFire.h"
#include "desktop/input/PadMenus.h"
#include "tests/desktop/VirtualPad.h"
#include "tests/support/GameTest.h"

class ControllersTest : public GameTest {
protected:
    // The SDL thread opens a sound device too: SDL's silent driver will do.
    static void SetUpTestSuite() { qputenv("SDL_AUDIODRIVER", "dummy"); }

    QWidget window;
    int menusOpened = 0, pauses = 0;
    PadMenus menus{[this] { ++menusOpened; }, [this] { ++pauses; }};
    HeldFire fire{[this](const GameEvent& event) { dispatch(*form, event); }, window};
    Controllers pads{[this](const GameEvent& event) { dispatch(*form, event); },
                     {[this](int code, int shift) { fire.press(code, shift); }, [this](int code) { fire.release(code); }},
                     menus};
};

TEST_F(ControllersTest, ThePadSteersFiresOpensTheMenusPausesAndLetsGoWhenPulledOut) {
    start();
    VirtualPad pad;
    ASSERT_TRUE(pad.ready()) << SDL_GetError();
    ASSERT_TRUE(until([&] { return pads.count() == 1; })) << "plugged in while the game runs";

    pad.set(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    EXPECT_TRUE(until([&] { return form->intShipDir == 1; }));
    pad.set(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
    EXPECT_TRUE(until([&] { return form->intShipDir == 0; }));
    pad.stick(-30000);
    EXPECT_TRUE(until([&] { return form->intShipDir == -1; }));
    pad.stick(-10000);
    EXPECT_TRUE(until([&] { return form->intShipDir == 0; })) << "pushed less than half way: still";

    pad.set(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_TRUE(until([&] { return form->blnMissile && fire.repeating(); })) << "A held fires as a held Ctrl";
    pad.set(SDL_CONTROLLER_BUTTON_A, false);
    EXPECT_TRUE(until([&] { return !fire.repeating(); }));

    pad.set(SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_TRUE(until([&] { return menusOpened == 1; }));
    pad.set(SDL_CONTROLLER_BUTTON_START, false);
    pad.set(SDL_CONTROLLER_BUTTON_BACK, true);
    EXPECT_TRUE(until([&] { return pauses == 1; }));
    EXPECT_FALSE(form->mnuGame.visible()) << "the game heard neither";
    EXPECT_FALSE(form->Label5.visible());
    pad.set(SDL_CONTROLLER_BUTTON_BACK, false);

    pad.set(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    pad.set(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
    ASSERT_TRUE(until([&] { return form->intShipDir == -1 && fire.repeating(); }));
    pad.pull();
    ASSERT_TRUE(until([&] { return pads.count() == 0; }));
    EXPECT_EQ(form->intShipDir, 0);
    EXPECT_FALSE(fire.repeating());
}
