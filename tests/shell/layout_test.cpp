// The window as the player first sees it: labels, pictures, timers and the
// menu bar with their design-time properties.
#include <QSet>

#include "tests/support/GameTest.h"

using LayoutTest = GameTest;

TEST_F(LayoutTest, OnlyTheStatusLineTheBonusAndGameOverShowAtStart) {
    QSet<QString> shown;
    const std::pair<const Label*, const char*> labels[] = {
        {&form->Label1, "Label1"},     {&form->Label2, "Label2"},          {&form->Label3, "Label3"},
        {&form->lblwave, "lblwave"},   {&form->lblspeed, "lblspeed"},      {&form->lblbonus, "lblbonus"},
        {&form->Label5, "Label5"},     {&form->Label6, "Label6"},          {&form->lblGameOver, "lblGameOver"},
        {&form->lblRating, "lblRating"}};
    for (const auto& [label, name] : labels)
        if (label->visible()) shown << QString::fromLatin1(name);
    EXPECT_EQ(shown, QSet<QString>({"Label1", "Label2", "Label3", "lblwave", "lblbonus", "lblGameOver"}));
}

TEST_F(LayoutTest, LabelsHaveTheirPlacesCaptionsAndColours) {
    EXPECT_EQ(form->caption, QStringLiteral("   "));
    EXPECT_EQ(form->Label1.rect(), QRect(2, 0, 321, 25));
    EXPECT_EQ(form->lblwave.rect(), QRect(328, 0, 89, 25));
    EXPECT_EQ(form->lblGameOver.caption(), QStringLiteral("GAME OVER"));
    EXPECT_EQ(form->lblGameOver.foreColor(), RGB(192, 0, 0));
    EXPECT_EQ(form->lblRating.caption(), QString::fromUtf8("...::\u00A6::..."));
    EXPECT_TRUE(form->lblRating.alignment() & Qt::AlignHCenter);
    EXPECT_EQ(form->Label5.caption(), QStringLiteral("  KEYS : LEFT AND RIGHT ARROWS, SHIFT/CTRL=Fire, ENTER=Menu "));
    EXPECT_EQ(form->Label5.backColor(), RGB(0, 0, 192));
    EXPECT_EQ(form->lblspeed.caption(), QStringLiteral("25"));
    EXPECT_EQ(form->Label1.font().pixelSize(), 19);
    EXPECT_TRUE(form->lblGameOver.font().bold());

    const QString credits = form->Label6.caption();
    EXPECT_NEAR(credits.size(), 530, 60);
    EXPECT_TRUE(credits.contains(QStringLiteral("          "))) << "long runs of spaces part the sentences";
}

TEST_F(LayoutTest, GameOverIsPaintedInItsRedOnBlack) {
    load();
    const QRect box = form->lblGameOver.rect();
    EXPECT_GT(count(box, RGB(192, 0, 0)), 50);
    EXPECT_GT(count(QRect(2, 0, 321, 25), Green), 0) << "the status line is green";
}

TEST_F(LayoutTest, PicturesStandAtTheirDesignPlaces) {
    EXPECT_EQ(form->Image36.rect(), QRect(16, 384, 33, 57));
    EXPECT_EQ(form->Imgmothership.rect(), QRect(48, 216, 73, 33));
    const int baseLeft[5] = {152, 264, 376, 488, 40};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(form->imgbases[i].rect(), QRect(baseLeft[i], 320, 73, 57));
    EXPECT_EQ(form->inv[0].rect(), QRect(8, 40, 17, 17));
    EXPECT_EQ(form->inv[7].rect(), QRect(72, 104, 17, 17));
    EXPECT_EQ(form->inv[27].rect(), QRect(112, 168, 17, 17));
    EXPECT_EQ(form->inv[29].rect(), QRect(168, 168, 17, 17));
    EXPECT_TRUE(form->inv[0].picture().isNull()) << "pictures come from the files at run time";
}

TEST_F(LayoutTest, TimersRunFromTheStart) {
    const std::pair<const Timer*, int> timers[] = {
        {&form->Timer1, 1000}, {&form->Timer2, 25}, {&form->Timer3, 500}, {&form->Timer4, 60}, {&form->Timer6, 30}};
    for (const auto& [timer, interval] : timers) {
        EXPECT_EQ(timer->interval(), interval);
        EXPECT_TRUE(timer->enabled());
    }
}

TEST_F(LayoutTest, TheMenuBarHasItsEightMenusAndCheckMarks) {
    QStringList captions;
    for (const MenuItem* menu : form->menuBar()) captions << menu->caption();
    EXPECT_EQ(captions, QStringList({"Game", "Skill", "Speed", "Bombs", "Bomb Speed", "Missile", "Options", "Help"}));

    QStringList checked;
    for (const MenuItem* menu : form->menuBar())
        for (const MenuItem* item : menu->items())
            if (item->checked()) checked << menu->caption() + "/" + item->caption();
    EXPECT_EQ(checked, QStringList({"Skill/Medium", "Speed/Med", "Bombs/10", "Bomb Speed/Low", "Missile/Full",
                                    "Options/Sound on"}));

    QStringList bombs;
    for (const MenuItem* item : form->mnuBombs.items()) bombs << item->caption();
    EXPECT_EQ(bombs.join(' '), QStringLiteral("1 2 3 4 5 6 7 8 9 10 15 20 25 30"));
    EXPECT_FALSE(form->mnuMusicon.enabled());
    EXPECT_EQ(form->mnumis4.caption(), QStringLiteral("Full"));
}

TEST_F(LayoutTest, AStatusLabelKeepsToOneLineAndIsCutAtItsEdge) {
    load();
    form->Label1.setCaption(QStringLiteral("High Score:  123456  (MMMMMMMMMM)"));
    EXPECT_GT(count(QRect(290, 0, 33, 25), Green), 0) << "the name runs on to the label's edge";
}
