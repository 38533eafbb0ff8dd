// The window as the player first sees it: labels, pictures, timers and the
// menu bar with their design-time properties.
#include <QFontMetrics>

#include "tests/support/GameTest.h"

using LayoutTest = GameTest;

TEST_F(LayoutTest, OnlyTheStatusLineTheBonusAndGameOverShowAtTheirPlacesAndALabelKeepsToOneLine) {
    QStringList shown;
    for (const Label* label : {&form->Label1, &form->Label2, &form->Label3, &form->lblwave, &form->lblspeed,
                               &form->lblbonus, &form->Label5, &form->Label6, &form->lblGameOver, &form->lblRating})
        if (label->visible()) shown << label->caption();
    EXPECT_EQ(shown, QStringList({"High Score : ", "Lives : 0", "Score : 0", "Wave : 1", "  1000", "GAME OVER"}));
    EXPECT_EQ(form->Label1.rect(), QRect(2, 0, 321, 25));
    EXPECT_EQ(form->Label5.caption(), QStringLiteral("  KEYS : LEFT AND RIGHT ARROWS, SHIFT/CTRL=Fire, ENTER=Menu "));

    // A status label is one line, cut off at its edge.
    EXPECT_EQ(count(QRect(290, 0, 33, 25), Green), 0);
    form->Label1.setCaption(QStringLiteral("High Score:  123456  (MMMMMMMMMM)"));
    EXPECT_GT(count(QRect(290, 0, 33, 25), Green), 0) << "the name runs on to the label's edge";
}

TEST_F(LayoutTest, PicturesStandAtTheirPlacesAndTimersRunFromTheStart) {
    EXPECT_EQ(QList<QRect>({form->Image36.rect(), form->Imgmothership.rect(), form->inv[0].rect(), form->inv[7].rect(),
                            form->inv[27].rect()}),
              QList<QRect>({{16, 384, 33, 57}, {48, 216, 73, 33}, {8, 40, 17, 17}, {72, 104, 17, 17},
                            {112, 168, 17, 17}}));
    const int baseLeft[5] = {152, 264, 376, 488, 40};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(form->imgbases[i].rect(), QRect(baseLeft[i], 320, 73, 57));

    const std::pair<const Timer*, Long> timers[] = {
        {&form->Timer1, 1000}, {&form->Timer2, 25}, {&form->Timer3, 500}, {&form->Timer4, 60}, {&form->Timer6, 30}};
    for (const auto& [timer, interval] : timers) EXPECT_EQ(timer->enabled() ? timer->interval() : 0, interval);
}

TEST_F(LayoutTest, TheMenuBarHasItsEightMenusAndCheckMarks) {
    QStringList captions, checked, bombs;
    for (const MenuItem* menu : form->menuBar()) {
        captions << menu->caption();
        for (const MenuItem* item : menu->items())
            if (item->checked()) checked << menu->caption() + "/" + item->caption();
    }
    EXPECT_EQ(captions, QStringList({"Game", "Skill", "Speed", "Bombs", "Bomb Speed", "Missile", "Options", "Help"}));
    EXPECT_EQ(checked, QStringList({"Skill/Medium", "Speed/Med", "Bombs/10", "Bomb Speed/Low", "Missile/Full",
                                    "Options/Sound on"}));
    for (const MenuItem* item : form->mnuBombs.items()) bombs << item->caption();
    EXPECT_EQ(bombs.join(' '), QStringLiteral("1 2 3 4 5 6 7 8 9 10 15 20 25 30"));
    EXPECT_FALSE(form->mnuMusicon.enabled());
}

// About's credits wrap at words inside their blue box: every line is whole
// within the box's 145 rows, and the bottom rows stay clear of text.
TEST_F(LayoutTest, TheCreditsFitTheirBoxWithNoLineCut) {
    const Label& credits = form->Label6;
    const QRect box(0, 0, credits.rect().width(), credits.rect().height());
    const QRect text = QFontMetrics(credits.font())
                           .boundingRect(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, credits.caption());
    EXPECT_LE(text.height(), box.height()) << "the wrapped credits need " << text.height() << " rows";

    load();
    const QRect bottom(credits.rect().left(), credits.rect().bottom() - 3, credits.rect().width(), 4);
    int cutPixels = -1, textPixels = 0;
    platform.duringDialog = [&] {
        cutPixels = count(bottom, RGB(255, 255, 255));
        textPixels = count(credits.rect(), RGB(255, 255, 255));
    };
    form->mnuAbout_Click();
    EXPECT_EQ(cutPixels, 0) << "a line of the credits is cut at the bottom";
    EXPECT_GT(textPixels, 1000) << "the credits are written";
}
