// The scene most tests start from: the game window on the scripted
// platform, loaded as the program loads it, with helpers to read what the
// player sees.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "shell/frmVorlane.h"
#include "tests/support/TestPlatform.h"

class GameTest : public ::testing::Test {
protected:
    TestPlatform platform;
    std::unique_ptr<frmVorlane> form = std::make_unique<frmVorlane>(platform);

    // Loads the window as the program does at start.
    void load() { form->Form_Load(); }
    // Loads the window and starts a game.
    void start() {
        load();
        form->mnuStart_Click();
    }
    // The displayed colour at a point of the client area.
    Long pixel(int x, int y) const { return form->surface.point(x, y); }
    // Number of pixels of a colour inside a rectangle.
    int count(const QRect& area, Long colour) const;
};
