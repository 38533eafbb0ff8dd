// The menu commands: the settings and their check marks, the Bombs items
// that clear every bomb, sound on and off, hiding the menu bar, the keys
// help line and the About box.
#include "tests/support/GameTest.h"

namespace {

constexpr Long HelpBlue = RGB(0, 0, 192);

// The pixels of the 3 x 3 bomb box at (x, y) that show a colour.
int bombPixels(const frmVorlane& form, double x, double y, Long colour) {
    int n = 0;
    for (int dy = 0; dy <= 2; ++dy)
        for (int dx = 0; dx <= 2; ++dx)
            if (form.surface.point(Surface::pixel(x) + dx, Surface::pixel(y) + dy) == colour) ++n;
    return n;
}

// Records every check-mark change of a group in order, as "+Easy" or
// "-Medium" followed by what `seen` tells at that moment.
template <typename Seen>
void watchChecks(const MenuItem& group, QStringList& changes, Seen seen) {
    for (MenuItem* item : group.items())
        item->onChange([&changes, item, seen] {
            changes << (item->checked() ? "+" : "-") + item->caption() + " " + seen();
        });
}

// A platform whose About box looks at the window while it is open.
struct AboutPlatform : TestPlatform {
    frmVorlane* form = nullptr;
    bool creditsShown = false;
    void messageBox(const QString& text, const QString& title) override {
        const QRect credits = form->Label6.rect();
        int blue = 0;
        for (int y = credits.top(); y <= credits.bottom(); ++y)
            for (int x = credits.left(); x <= credits.right(); ++x)
                if (form->surface.point(x, y) == HelpBlue) ++blue;
        creditsShown = form->Label6.visible() && blue > 0;
        TestPlatform::messageBox(text, title);
    }
};

}  // namespace

TEST_F(GameTest, TheCheckedBombsItemStillErasesEveryBomb) {
    load();
    // Slot 20 lies beyond the ten in use, yet it is erased too.
    const struct { int slot; double x, y; } bombs[] = {{1, 100.4, 250.6}, {2, 300, 180.2}, {20, 520.7, 330}};
    for (const auto& bomb : bombs) {
        form->arrBombX[bomb.slot] = static_cast<Single>(bomb.x);
        form->arrBombY[bomb.slot] = static_cast<Single>(bomb.y);
        form->surface.box(bomb.x, bomb.y, bomb.x + 2, bomb.y + 2, Yellow);
    }
    form->surface.box(0, 0, 2, 2, Yellow);
    ASSERT_TRUE(form->mnu10.checked());

    form->mnu10.click();

    for (const auto& bomb : bombs) EXPECT_EQ(bombPixels(*form, bomb.x, bomb.y, Black), 9) << "slot " << bomb.slot;
    EXPECT_EQ(count(QRect(0, 0, 3, 3), Black), 9);
    for (int slot = 1; slot <= 30; ++slot) {
        EXPECT_EQ(form->arrBombX[slot], 0);
        EXPECT_EQ(form->arrBombY[slot], 0);
    }
    EXPECT_EQ(form->intBombCount, 10);
    EXPECT_TRUE(form->mnu10.checked());
}

TEST_F(GameTest, ABombsCommandInAGameClearsTheSkyAndTheSlotsRelaunch) {
    start();
    form->mnu3.click();
    platform.queue({0.0f, 0.1f, 0.5f});
    for (int step = 1; step <= 5; ++step) form->MoveBombs();
    std::vector<std::pair<double, double>> falling;
    for (int slot = 1; slot <= 3; ++slot) {
        ASSERT_NE(form->arrBombX[slot], 0) << "slot " << slot;
        falling.emplace_back(form->arrBombX[slot], form->arrBombY[slot]);
        ASSERT_EQ(bombPixels(*form, form->arrBombX[slot], form->arrBombY[slot], Yellow), 9);
    }

    form->mnu5.click();

    EXPECT_EQ(form->intBombCount, 5);
    for (const auto& [x, y] : falling) EXPECT_EQ(bombPixels(*form, x, y, Yellow), 0);
    for (int slot = 1; slot <= 30; ++slot) EXPECT_EQ(form->arrBombX[slot], 0);

    form->MoveBombs();

    for (int slot = 1; slot <= 5; ++slot) {
        EXPECT_NE(form->arrBombX[slot], 0) << "slot " << slot;
        EXPECT_EQ(bombPixels(*form, form->arrBombX[slot], form->arrBombY[slot], Yellow), 9);
    }
    EXPECT_EQ(form->arrBombX[6], 0);
}

TEST_F(GameTest, SoundOnWithoutADeviceTogglesOnlyTheWish) {
    platform.devices = 0;
    load();
    EXPECT_TRUE(form->mnuSound.checked());
    EXPECT_FALSE(form->blnSound);

    form->mnuSound.click();
    EXPECT_TRUE(form->mnuSound.checked());
    EXPECT_TRUE(form->blnSound);
    form->SetUpWave();
    EXPECT_TRUE(platform.played.isEmpty());

    form->mnuSound.click();
    EXPECT_FALSE(form->mnuSound.checked());
    EXPECT_FALSE(form->blnSound);
}

TEST_F(GameTest, SkillSetsThePendingDropBeforeTheCheckMarksMoveInOrder) {
    load();
    QStringList changes;
    watchChecks(form->mnuSkill, changes, [this] { return QString::number(form->sngDropStep); });

    form->mnuEasy.click();
    EXPECT_EQ(changes, QStringList({"+Easy 8", "-Medium 8", "-Hard 8"}));

    changes.clear();
    form->mnuHard.click();
    EXPECT_EQ(changes, QStringList({"+Hard 20", "-Easy 20", "-Medium 20"}));

    form->mnuMedium.click();
    EXPECT_EQ(form->sngDropStep, 14);
    EXPECT_TRUE(form->mnuMedium.checked());
    EXPECT_FALSE(form->mnuHard.checked());
}

TEST_F(GameTest, BombSpeedStartsLowAndMovesTheCheckBeforeTheSetting) {
    load();
    EXPECT_TRUE(form->mnuLow.checked());
    EXPECT_FALSE(form->mnuHigh.checked());
    EXPECT_FALSE(form->blnBombSpeedHigh);
    QStringList changes;
    watchChecks(form->mnuBombSpeed, changes, [this] { return QString::number(form->blnBombSpeedHigh); });

    form->mnuHigh.click();
    EXPECT_TRUE(form->blnBombSpeedHigh);
    form->mnuLow.click();
    EXPECT_FALSE(form->blnBombSpeedHigh);

    EXPECT_EQ(changes, QStringList({"+High 0", "-Low 0", "+Low 1", "-High 1"}));
}

TEST_F(GameTest, MissileAndSpeedItemsHoldTheirSettings) {
    load();
    QStringList changes;
    watchChecks(form->mnuMissile, changes, [this] { return QString::number(form->intMissileSpeed); });

    form->mnumis1.click();
    form->mnumis3.click();
    form->mnumis2.click();
    EXPECT_EQ(changes.mid(0, 4), QStringList({"+Slow 1", "-Medium 1", "-Fast 1", "-Full 1"}));
    EXPECT_EQ(changes.mid(4, 4), QStringList({"+Fast 3", "-Slow 3", "-Medium 3", "-Full 3"}));
    EXPECT_EQ(changes.mid(8, 4), QStringList({"+Medium 2", "-Slow 2", "-Fast 2", "-Full 2"}));

    form->mnuFast.click();
    form->SetUpWave();
    EXPECT_EQ(form->sngStepX, 1.25f);
    form->mnuSlow.click();
    form->SetUpWave();
    EXPECT_EQ(form->sngStepX, 0.25f);
    EXPECT_FALSE(form->mnuFast.checked());
}

TEST_F(GameTest, HideMenuHidesTheEightMenusUntilEnter) {
    load();
    form->mnuHidemenu.click();
    for (MenuItem* menu : form->menuBar()) EXPECT_FALSE(menu->visible()) << menu->caption().toStdString();

    form->Form_KeyDown(37, 0);
    for (MenuItem* menu : form->menuBar()) EXPECT_FALSE(menu->visible()) << menu->caption().toStdString();
    form->Form_KeyDown(13, 0);
    for (MenuItem* menu : form->menuBar()) EXPECT_TRUE(menu->visible()) << menu->caption().toStdString();
}

TEST_F(GameTest, KeysShowsTheHelpLineOnce) {
    load();
    const QRect help = form->Label5.rect();
    EXPECT_EQ(count(help, HelpBlue), 0);

    form->mnuKeys.click();
    EXPECT_TRUE(form->Label5.visible());
    EXPECT_GT(count(help, HelpBlue), 0);
    const QImage shown = form->surface.image().copy();
    form->mnuKeys.click();
    EXPECT_EQ(form->surface.image(), shown);
}

TEST(About, TheCreditsStandWhileTheBoxIsOpenAndGoWithIt) {
    AboutPlatform platform;
    frmVorlane form(platform);
    platform.form = &form;
    form.Form_Load();
    const QImage before = form.surface.image().copy();

    form.mnuAbout.click();

    EXPECT_TRUE(platform.creditsShown);
    EXPECT_EQ(platform.messages, QStringList{"OK?"});
    ASSERT_EQ(platform.messageTitles.size(), 1);
    EXPECT_FALSE(platform.messageTitles[0].trimmed().isEmpty());
    EXPECT_FALSE(form.Label6.visible());
    EXPECT_EQ(form.surface.image(), before);
}
