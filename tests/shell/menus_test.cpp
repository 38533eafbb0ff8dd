// The menu commands: the speed read from its check marks, the Bombs items
// that clear every bomb, sound on and off, hiding the menu bar, the keys
// help line and the About box.
#include "tests/support/GameTest.h"

static constexpr Long HelpBlue = RGB(0, 0, 192);

TEST_F(GameTest, AnyBombsItemErasesEveryBombAndTheSlotsInUseRelaunch) {
    start();
    // Bombs are the only pure yellow on the window.
    const QRect window(0, 0, Surface::Width, Surface::Height);
    for (int step = 1; step <= 5; ++step) form->MoveBombs();
    ASSERT_GT(count(window, Yellow), 0);
    form->surface.box(0, 0, 2, 2, Yellow);

    // Fewer bombs than before: slots 4 to 10 are erased too, and so is the
    // top left corner, where the free slots lie.
    form->mnu3.click();
    EXPECT_EQ(count(window, Yellow), 0);
    platform.queue({0.0f, 0.1f, 0.5f});
    form->MoveBombs();
    EXPECT_EQ(count(window, Yellow), 3 * 9) << "three bombs from three invaders, each slot launched afresh";

    form->mnu3.click();
    EXPECT_EQ(count(window, Yellow), 0) << "the item already checked erases them all the same";
}

TEST_F(GameTest, TheSpeedIsReadFromItsCheckMarksAtTheNextWave) {
    load();
    for (const auto& [item, step] : {std::pair(&form->mnuFast, 1.25f), std::pair(&form->mnuSlow, 0.25f)}) {
        item->click();
        form->SetUpWave();
        EXPECT_EQ(form->sngStepX, step);
    }
}

TEST_F(GameTest, SoundOnWithoutADeviceTogglesOnlyTheWish) {
    platform.devices = 0;
    load();
    EXPECT_TRUE(form->mnuSound.checked() && !form->blnSound);
    form->mnuSound.click();
    EXPECT_TRUE(form->mnuSound.checked() && form->blnSound);
    form->SetUpWave();
    EXPECT_TRUE(platform.played.isEmpty());
}

TEST_F(GameTest, HideMenuHidesTheBarKeysShowsTheHelpLineAndAboutLeavesTheWindowAsItWas) {
    load();
    form->mnuHidemenu.click();
    for (const MenuItem* menu : form->menuBar()) EXPECT_FALSE(menu->visible()) << menu->caption().toStdString();

    form->mnuKeys.click();
    EXPECT_GT(count(form->Label5.rect(), HelpBlue), 0);

    const QImage before = form->surface.image().copy();
    int creditsBlue = 0;
    platform.duringDialog = [&] { creditsBlue = form->Label6.visible() ? count(form->Label6.rect(), HelpBlue) : 0; };
    form->mnuAbout.click();
    EXPECT_GT(creditsBlue, 0) << "the credits stand while the box is open";
    EXPECT_EQ(platform.messages, QStringList{"OK?"});
    EXPECT_EQ(form->surface.image(), before);
}
