// The menu commands: the speed read from its check marks, the Bombs items
// that clear every bomb, hiding the menu bar and the keys help line. Sound
// is looked at with the sound layer, About with the credits' layout.
#include "tests/support/GameTest.h"

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

TEST_F(GameTest, HideMenuHidesTheBarAndKeysShowsTheHelpLine) {
    load();
    form->mnuHidemenu.click();
    for (const MenuItem* menu : form->menuBar()) EXPECT_FALSE(menu->visible()) << menu->caption().toStdString();
    form->mnuKeys.click();
    EXPECT_GT(count(form->Label5.rect(), RGB(0, 0, 192)), 0);
}
