// The pad in the game's dialogs: the name prompt at its edges, where the
// name stops at its tenth letter, the letters go round and B at the end
// takes the last letter back; A is OK in a message box.
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include <gtest/gtest.h>

#include "desktop/input/PadMenus.h"

TEST(PadMenus, TheNamePromptStopsAtTenLettersGoesRoundAndDeletes) {
    QInputDialog prompt;
    prompt.setModal(true);
    prompt.setInputMode(QInputDialog::TextInput);
    auto* edit = prompt.findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    edit->setMaxLength(10);
    prompt.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &prompt);
    PadMenus pad({}, {});

    pad.press(PadButton::Down);
    EXPECT_EQ(edit->text(), " ") << "down from no letter: the last of the round";
    pad.press(PadButton::Up);
    EXPECT_EQ(edit->text(), "A") << "and round to the first";
    for (int i = 0; i < 12; ++i) {
        pad.press(PadButton::Right);
        pad.press(PadButton::Up);
    }
    EXPECT_EQ(edit->text(), "AAAAAAAAAD") << "ten letters at most: past them the last one changes";
    pad.press(PadButton::B);
    EXPECT_EQ(edit->text(), "AAAAAAAAA");
    pad.press(PadButton::Left);
    pad.press(PadButton::Left);
    pad.press(PadButton::B);
    EXPECT_EQ(edit->text(), "AAAAAAAA") << "B in the middle takes the letter under the cursor";
    EXPECT_EQ(edit->cursorPosition(), 7);
}

TEST(PadMenus, AIsOkInAMessageBox) {
    QMessageBox box(QMessageBox::Information, "About", "Vorlane", QMessageBox::Ok);
    box.setModal(true);
    box.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &box);
    PadMenus({}, {}).press(PadButton::A);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QMessageBox::Ok);
}
