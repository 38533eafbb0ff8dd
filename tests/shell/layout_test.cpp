// The window's labels as the player sees them: a status label keeps to one
// line, and the credits fit their box.
#include <QFontMetrics>

#include "tests/support/GameTest.h"

using LayoutTest = GameTest;

TEST_F(LayoutTest, AStatusLabelKeepsToOneLineCutOffAtItsEdge) {
    EXPECT_EQ(count(QRect(290, 0, 33, 25), Green), 0);
    form->Label1.setCaption(QStringLiteral("High Score:  123456  (MMMMMMMMMM)"));
    EXPECT_GT(count(QRect(290, 0, 33, 25), Green), 0) << "the name runs on to the label's edge";
}

// About's credits wrap at words inside their blue box: every line is whole
// within the box's 145 rows, and the bottom rows stay clear of text. They
// stand while the box is open and leave the window as it was.
TEST_F(LayoutTest, TheCreditsFitTheirBoxWithNoLineCutAndAboutLeavesTheWindowAsItWas) {
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
    const QImage before = form->surface.image().copy();
    form->mnuAbout.click();
    EXPECT_EQ(cutPixels, 0) << "a line of the credits is cut at the bottom";
    EXPECT_GT(textPixels, 1000) << "the credits are written";
    EXPECT_TRUE(platform.messages == QStringList{"OK?"} && form->surface.image() == before);
}
