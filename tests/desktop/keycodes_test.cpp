// The key table: every key by its virtual-key number, found on X by its
// place on the keyboard whatever the layout and Shift make of it, and
// elsewhere by the key Qt names; no key is ever code 0.
#include <QKeyEvent>

#include <gtest/gtest.h>

#include "desktop/window/KeyCodes.h"

namespace {

struct Press {
    int key;
    Qt::KeyboardModifiers held;
    quint32 keycode;  // X keycode, 0 for none
    Integer code, shift;
};

GameKey press(const Press& p, bool onX, QEvent::Type type = QEvent::KeyPress) {
    const QKeyEvent event(type, p.key, p.held, p.keycode, 0, 0);
    return gameKey(event, onX);
}

}  // namespace

TEST(KeyCodes, OnXEveryKeyIsKnownByItsPlaceSoShiftOrTheLayoutChangesNothing) {
    const Press presses[] = {
        {Qt::Key_Underscore, Qt::ShiftModifier, 20, 189, 1},  // Shift with the minus key: faster, and fire
        {Qt::Key_Plus, Qt::ShiftModifier, 21, 187, 1},
        {Qt::Key_F1, Qt::NoModifier, 67, 112, 0},
        {Qt::Key_F24, Qt::NoModifier, 202, 135, 0},
        {Qt::Key_Tab, Qt::NoModifier, 23, 9, 0},
        {Qt::Key_Home, Qt::NoModifier, 110, 36, 0},
        {Qt::Key_7, Qt::KeypadModifier, 79, 103, 0},
        {Qt::Key_Home, Qt::KeypadModifier, 79, 103, 0},  // keypad 7 with Num Lock off
        {Qt::Key_Asterisk, Qt::KeypadModifier, 63, 106, 0},
        {Qt::Key_Minus, Qt::KeypadModifier, 82, 109, 0},  // not the pace key
        {Qt::Key_Enter, Qt::KeypadModifier, 104, 13, 0},
        {Qt::Key_A, Qt::NoModifier, 24, 81, 0},  // the A of a French keyboard lies where Q does
        {Qt::Key_Eacute, Qt::NoModifier, 19, 48, 0},
        {Qt::Key_QuoteLeft, Qt::NoModifier, 49, 192, 0},
        {Qt::Key_Apostrophe, Qt::NoModifier, 48, 222, 0},
        {Qt::Key_Right, Qt::ControlModifier, 114, 39, 2},
        {Qt::Key_Shift, Qt::NoModifier, 62, 16, 1},  // the right Shift: its own press holds it
        {Qt::Key_Control, Qt::NoModifier, 105, 17, 2},
        {Qt::Key_AltGr, Qt::NoModifier, 108, 18, 6},  // AltGr is Ctrl and Alt
        {Qt::Key_At, Qt::GroupSwitchModifier, 24, 81, 6},
        {Qt::Key_Meta, Qt::NoModifier, 133, NoKeyCode, 0},
    };
    for (const Press& p : presses) {
        const GameKey key = press(p, true);
        EXPECT_EQ(key.code, p.code) << "X keycode " << p.keycode;
        EXPECT_EQ(key.shift, p.shift) << "X keycode " << p.keycode;
    }
    const GameKey altGrUp = press({Qt::Key_AltGr, Qt::GroupSwitchModifier, 108, 0, 0}, true, QEvent::KeyRelease);
    EXPECT_EQ(altGrUp.code, 18);
    EXPECT_EQ(altGrUp.shift, 0) << "released, AltGr holds nothing";
}

TEST(KeyCodes, WithoutXKeycodesTheKeyQtNamesGivesTheCode) {
    const Press presses[] = {
        {Qt::Key_Underscore, Qt::ShiftModifier, 20, 189, 1},  // the keycode is no X keycode here
        {Qt::Key_Equal, Qt::NoModifier, 0, 187, 0},
        {Qt::Key_5, Qt::NoModifier, 0, 53, 0},
        {Qt::Key_5, Qt::KeypadModifier, 0, 101, 0},
        {Qt::Key_Plus, Qt::KeypadModifier, 0, 107, 0},
        {Qt::Key_Period, Qt::KeypadModifier, 0, 110, 0},
        {Qt::Key_Slash, Qt::KeypadModifier, 0, 111, 0},
        {Qt::Key_Slash, Qt::NoModifier, 0, 191, 0},
        {Qt::Key_Exclam, Qt::ShiftModifier, 0, 49, 1},
        {Qt::Key_F13, Qt::NoModifier, 0, 124, 0},
        {Qt::Key_Backspace, Qt::NoModifier, 0, 8, 0},
        {Qt::Key_PageUp, Qt::NoModifier, 0, 33, 0},
        {Qt::Key_Delete, Qt::NoModifier, 0, 46, 0},
        {Qt::Key_CapsLock, Qt::NoModifier, 0, 20, 0},
        {Qt::Key_Semicolon, Qt::NoModifier, 0, 186, 0},
        {Qt::Key_Less, Qt::ShiftModifier, 0, 188, 1},
        {Qt::Key_BraceLeft, Qt::ShiftModifier, 0, 219, 1},
        {Qt::Key_Alt, Qt::NoModifier, 0, 18, 4},
        {Qt::Key_Meta, Qt::NoModifier, 0, NoKeyCode, 0},
    };
    for (const Press& p : presses) {
        const GameKey key = press(p, false);
        EXPECT_EQ(key.code, p.code) << "Qt key " << std::hex << p.key;
        EXPECT_EQ(key.shift, p.shift) << "Qt key " << std::hex << p.key;
    }
}

TEST(KeyCodes, NoKeyIsEverCodeZero) {
    for (quint32 keycode = 0; keycode < 256; ++keycode)
        EXPECT_NE(press({Qt::Key_unknown, Qt::NoModifier, keycode, 0, 0}, true).code, 0) << keycode;
    for (int key = 0x20; key < 0x100; ++key) EXPECT_NE(press({key, Qt::NoModifier, 0, 0, 0}, false).code, 0) << key;
    for (int key = Qt::Key_Escape; key < Qt::Key_Escape + 0x100; ++key)
        EXPECT_NE(press({key, Qt::NoModifier, 0, 0, 0}, false).code, 0) << key;
}
