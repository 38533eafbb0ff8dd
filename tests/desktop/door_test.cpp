// The window's door: what reaches the game while it is busy in a blocking
// pause, while paused and while a dialog is open, and in what order.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "desktop/window/Door.h"

namespace {

constexpr int Left = 37, Right = 39, Enter = 13, Ctrl = 17;

struct DoorTest : ::testing::Test {
    std::vector<GameEvent> seen;
    bool dialog = false;
    // What the game does inside its handler for the event, if anything.
    std::function<void(const GameEvent&)> during;
    Door door{[this](const GameEvent& event) {
                  seen.push_back(event);
                  if (during) {
                      auto inside = std::move(during);
                      inside(event);
                  }
              },
              [this] { return dialog; }};
};

TEST_F(DoorTest, EventsOfABlockingPauseWaitTheirTurnAndTicksAreDropped) {
    // The game's tick pauses, and the player goes on meanwhile.
    during = [this](const GameEvent&) {
        door.deliver(GameEvent::keyDown(Right, 0));
        door.deliver(GameEvent::tick(1));
        door.deliver(GameEvent::menuCommand(0, 1));
        door.deliver(GameEvent::keyUp(Right, 0));
        door.deliver(GameEvent::doubleClick());
        EXPECT_EQ(seen.size(), 1u);
    };
    door.deliver(GameEvent::tick(2));

    EXPECT_EQ(seen, (std::vector<GameEvent>{GameEvent::tick(2), GameEvent::keyDown(Right, 0),
                                            GameEvent::menuCommand(0, 1), GameEvent::keyUp(Right, 0),
                                            GameEvent::doubleClick()}));
    EXPECT_FALSE(door.inside());
}

TEST_F(DoorTest, AKeyLetGoWhilePausedIsReleasedWhenThePauseEnds) {
    door.deliver(GameEvent::keyDown(Right, 0));
    door.setPaused(true);
    door.deliver(GameEvent::keyUp(Right, 0));
    door.deliver(GameEvent::keyDown(Left, 0));  // pressed while paused: never seen
    door.deliver(GameEvent::keyUp(Left, 0));
    door.deliver(GameEvent::tick(1));
    door.deliver(GameEvent::menuCommand(0, 0));
    EXPECT_EQ(seen.size(), 1u);

    door.setPaused(false);
    EXPECT_EQ(seen, (std::vector<GameEvent>{GameEvent::keyDown(Right, 0), GameEvent::keyUp(Right, 0)}));
}

TEST_F(DoorTest, AHeldKeyRepeatedByXWhilePausedStaysDown) {
    door.deliver(GameEvent::keyDown(Right, 0));
    door.setPaused(true);
    door.deliver(GameEvent::keyUp(Right, 0));  // X's repeat, taken for a release
    door.deliver(GameEvent::keyDown(Right, 0));

    door.setPaused(false);
    EXPECT_EQ(seen, (std::vector<GameEvent>{GameEvent::keyDown(Right, 0)}));
}

TEST_F(DoorTest, UnderADialogNothingFiresButHeldKeysAreLetGoAfter) {
    door.deliver(GameEvent::keyDown(Ctrl, 2));
    door.deliver(GameEvent::keyDown(Left, 0));
    // The game opens its name prompt inside the next tick; Ctrl's repeats
    // and a pad's fire go on meanwhile, and Left is let go.
    during = [this](const GameEvent&) {
        dialog = true;
        door.deliver(GameEvent::keyDown(Ctrl, 2));
        door.deliver(GameEvent::tick(1));
        door.deliver(GameEvent::keyUp(Left, 0));
        door.deliver(GameEvent::keyUp(Left, 0));  // seen twice on its way to the dialog
        door.deliver(GameEvent::keyUp(Right, 0));  // never held: nothing to let go
        dialog = false;
    };
    door.deliver(GameEvent::tick(2));

    EXPECT_EQ(seen, (std::vector<GameEvent>{GameEvent::keyDown(Ctrl, 2), GameEvent::keyDown(Left, 0),
                                            GameEvent::tick(2), GameEvent::keyUp(Left, 0)}));
}

TEST_F(DoorTest, LosingTheKeyboardLetsGoOfEveryKeyTheGameHoldsOrWillHold) {
    door.deliver(GameEvent::keyDown(Left, 0));
    door.deliver(GameEvent::keyDown(Enter, 0));
    door.deliver(GameEvent::keyUp(Enter, 0));
    during = [this](const GameEvent&) {
        door.deliver(GameEvent::keyDown(Right, 0));
        door.releaseAll();
    };
    door.deliver(GameEvent::tick(1));

    const std::vector<GameEvent> after(seen.begin() + 4, seen.end());
    EXPECT_EQ(after, (std::vector<GameEvent>{GameEvent::keyDown(Right, 0), GameEvent::keyUp(Left, 0),
                                             GameEvent::keyUp(Right, 0)}));
}

}  // namespace
