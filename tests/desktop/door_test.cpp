// The window's door: what reaches the game while it is busy in a blocking
// pause, while paused and while a dialog is open, and in what order.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "desktop/window/Door.h"

namespace {

constexpr int Left = 37, Right = 39, Enter = 13, Ctrl = 17;
using Events = std::vector<GameEvent>;
const GameEvent down(int code) { return GameEvent::keyDown(code, code == Ctrl ? 2 : 0); }
const GameEvent up(int code) { return GameEvent::keyUp(code, 0); }

struct DoorTest : ::testing::Test {
    Events seen;
    bool dialog = false, inside = false;
    // What the player does while the game is inside its handler for the
    // next event.
    std::function<void()> during;
    Door door{[this](const GameEvent& event) {
                  EXPECT_FALSE(inside) << "the game's handler entered again";
                  inside = true;
                  seen.push_back(event);
                  if (during) std::exchange(during, {})();
                  inside = false;
              },
              [this] { return dialog; }};
    void deliver(const Events& events) {
        for (const GameEvent& event : events) door.deliver(event);
    }
};

TEST_F(DoorTest, EventsOfABlockingPauseWaitTheirTurnAndTicksAreDropped) {
    during = [this] {
        deliver({down(Right), GameEvent::tick(1), GameEvent::menuCommand(0, 1), up(Right), GameEvent::doubleClick()});
        EXPECT_EQ(seen.size(), 1u);
    };
    door.deliver(GameEvent::tick(2));
    EXPECT_EQ(seen, (Events{GameEvent::tick(2), down(Right), GameEvent::menuCommand(0, 1), up(Right),
                            GameEvent::doubleClick()}));
    EXPECT_FALSE(door.inside());
}

TEST_F(DoorTest, AKeyLetGoWhilePausedIsReleasedWhenThePauseEndsAndAnXRepeatStaysDown) {
    deliver({down(Right), down(Enter)});
    door.setPaused(true);
    // Enter's release is X's repeat, taken for a release; Left is pressed
    // while paused and never seen.
    deliver({up(Right), up(Enter), down(Enter), down(Left), up(Left), GameEvent::tick(1), GameEvent::menuCommand(0, 0)});
    EXPECT_EQ(seen.size(), 2u);
    door.setPaused(false);
    EXPECT_EQ(seen, (Events{down(Right), down(Enter), up(Right)}));
}

TEST_F(DoorTest, UnderADialogNothingFiresButHeldKeysAreLetGoAfter) {
    deliver({down(Ctrl), down(Left)});
    // The game opens its name prompt inside the next tick; Ctrl's repeats
    // go on meanwhile, Left is let go (seen twice on its way to the dialog)
    // and Right, never held, has nothing to let go.
    during = [this] {
        dialog = true;
        deliver({down(Ctrl), GameEvent::tick(1), up(Left), up(Left), up(Right)});
        dialog = false;
    };
    door.deliver(GameEvent::tick(2));
    EXPECT_EQ(seen, (Events{down(Ctrl), down(Left), GameEvent::tick(2), up(Left)}));
}

TEST_F(DoorTest, LosingTheKeyboardLetsGoOfEveryKeyTheGameHoldsOrWillHold) {
    deliver({down(Left), down(Enter), up(Enter)});
    during = [this] {
        door.deliver(down(Right));
        door.releaseAll();
    };
    door.deliver(GameEvent::tick(1));
    EXPECT_EQ(Events(seen.begin() + 4, seen.end()), (Events{down(Right), up(Left), up(Right)}));
}

}  // namespace
