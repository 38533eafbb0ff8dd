// The key table: on X and Wayland every key by what it types on the
// player's layout, compiled from the system's XKB data for US, German,
// French and Swedish keyboards and pressed as Qt reports it; elsewhere by
// the key Qt names; no key is ever code 0. The speed keys and the keypad
// reach the game as the player expects on each layout.
#include <QKeyEvent>

#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdlib>

#include "desktop/window/KeyCodes.h"
#include "desktop/window/KeyLayout.h"

namespace {

GameKey qtKey(int key, Qt::KeyboardModifiers held, quint32 keycode = 0) {
    return gameKey(QKeyEvent(QEvent::KeyPress, key, held, keycode, 0, 0), nullptr);
}

// A PC keyboard with one of the system's layouts, a key pressed as Qt on X
// or Wayland reports it: its XKB keycode, and the symbol the layout gives
// it with Shift held and Num Lock on or off.
class Keyboard {
public:
    explicit Keyboard(const char* layout) : layout_(KeyLayout::compile({"evdev", "pc105", layout, "", ""})) {}

    GameKey press(quint32 keycode, bool shift = false, bool numLock = false) const {
        xkb_keymap* keymap = layout_->keymap();
        xkb_state* state = xkb_state_new(keymap);
        const xkb_mod_mask_t held = shift ? 1u << xkb_keymap_mod_get_index(keymap, XKB_MOD_NAME_SHIFT) : 0;
        const xkb_mod_mask_t locked = numLock ? 1u << xkb_keymap_mod_get_index(keymap, XKB_MOD_NAME_NUM) : 0;
        xkb_state_update_mask(state, held, 0, locked, 0, 0, 0);
        const xkb_keysym_t keysym = xkb_state_key_get_one_sym(state, keycode);
        const char32_t typed = xkb_state_key_get_utf32(state, keycode);
        xkb_state_unref(state);
        Qt::KeyboardModifiers modifiers = shift ? Qt::ShiftModifier : Qt::NoModifier;
        if (keysym >= XKB_KEY_KP_Space && keysym <= XKB_KEY_KP_9) modifiers |= Qt::KeypadModifier;
        const int key = typed > ' ' && typed < 0x7f ? static_cast<int>(QChar::toUpper(typed)) : Qt::Key_unknown;
        return gameKey(QKeyEvent(QEvent::KeyPress, key, modifiers, keycode, keysym, held | locked), layout_.get());
    }

private:
    std::unique_ptr<KeyLayout> layout_;
};

// XKB keycodes of a PC keyboard, by their place on a US one.
constexpr quint32 Digit4 = 13, Digit6 = 15, UsMinus = 20, UsEquals = 21, UsQ = 24, UsY = 29, UsRightBracket = 35,
                  UsA = 38, UsSemicolon = 47, LeftShift = 50, UsSlash = 61, F1 = 67, Keypad7 = 79, KeypadMinus = 82,
                  Keypad4 = 83, Keypad0 = 90, KeypadPoint = 91;

}  // namespace

TEST(KeyCodes, EachKeyGoesByWhatItTypesOnThePlayersLayout) {
    struct Row {
        const char* layout;
        quint32 keycode;
        bool shift;
        Integer code;
    };
    const Row rows[] = {
        // The keys labelled + and - are the speed keys wherever they lie,
        // with Shift or without; the keys beside them are not.
        {"us", UsEquals, false, 187}, {"us", UsEquals, true, 187}, {"us", UsMinus, false, 189},
        {"us", UsMinus, true, 189}, {"de", UsRightBracket, false, 187}, {"de", UsRightBracket, true, 187},
        {"de", UsSlash, false, 189}, {"de", UsSlash, true, 189}, {"fr", UsEquals, false, 187},
        {"fr", UsEquals, true, 187}, {"fr", Digit6, false, 189}, {"fr", Digit6, true, 189},
        {"se", UsMinus, false, 187}, {"se", UsMinus, true, 187}, {"se", UsSlash, false, 189},
        {"se", UsSlash, true, 189}, {"de", UsMinus, false, 191}, {"de", UsEquals, false, 221},
        {"fr", UsMinus, false, 219},
        // Letters and digits by what the layout types, the French top row
        // typing its digits with Shift.
        {"fr", UsQ, false, 65}, {"fr", UsA, false, 81}, {"fr", UsSemicolon, false, 77}, {"fr", Digit4, false, 52},
        {"de", UsY, false, 90}, {"us", UsSemicolon, false, 186}, {"se", UsSemicolon, false, 186},
        {"us", UsA, true, 65},
        // A key that types nothing goes by its place.
        {"de", F1, false, 112}, {"de", LeftShift, false, 16}};
    for (const Row& row : rows) EXPECT_EQ(Keyboard(row.layout).press(row.keycode, row.shift).code, row.code)
        << row.layout << " keycode " << row.keycode << (row.shift ? " with Shift" : "");
    EXPECT_EQ(Keyboard("us").press(UsA, true).shift, 1);
    EXPECT_EQ(Keyboard("de").press(LeftShift).shift, 1);
}

TEST(KeyCodes, TheKeypadGoesByNumLock) {
    const struct {
        quint32 keycode;
        bool numLock;
        Integer code;
    } rows[] = {{Keypad4, false, 37}, {Keypad4, true, 100},   {Keypad7, false, 36},    {Keypad0, false, 45},
                {KeypadPoint, false, 46}, {KeypadPoint, true, 110}, {KeypadMinus, false, 109}};
    for (const char* layout : {"us", "de", "fr", "se"}) {
        const Keyboard keyboard(layout);
        for (const auto& row : rows)
            EXPECT_EQ(keyboard.press(row.keycode, false, row.numLock).code, row.code) << layout << " " << row.keycode;
    }
}

TEST(KeyCodes, AKeymapSentAsTextAsOnWaylandReadsAsItsLayout) {
    const auto de = KeyLayout::compile({"evdev", "pc105", "de", "", ""});
    ASSERT_NE(de, nullptr);
    char* text = xkb_keymap_get_as_string(de->keymap(), XKB_KEYMAP_FORMAT_TEXT_V1);
    const auto sent = KeyLayout::fromText(text);
    std::free(text);
    ASSERT_NE(sent, nullptr);
    EXPECT_EQ(sent->character(UsRightBracket, 1), U'*');
    EXPECT_EQ(sent->character(UsMinus, 0), U'\u00df');
    EXPECT_EQ(KeyLayout::fromText("no keymap"), nullptr);
}

TEST(KeyCodes, WithoutXKeycodesTheKeyQtNamesGivesTheCode) {
    const struct {
        int key;
        Qt::KeyboardModifiers held;
        quint32 keycode;  // no X keycode, whatever it says
        Integer code, shift;
    } rows[] = {{Qt::Key_Underscore, Qt::ShiftModifier, 20, 189, 1}, {Qt::Key_5, Qt::KeypadModifier, 0, 101, 0},
                {Qt::Key_Slash, Qt::KeypadModifier, 0, 111, 0},     {Qt::Key_Slash, Qt::NoModifier, 0, 191, 0},
                {Qt::Key_Exclam, Qt::ShiftModifier, 0, 49, 1},      {Qt::Key_Alt, Qt::NoModifier, 0, 18, 4},
                {Qt::Key_Meta, Qt::NoModifier, 0, NoKeyCode, 0}};
    for (const auto& row : rows) {
        const GameKey key = qtKey(row.key, row.held, row.keycode);
        EXPECT_EQ(key.code, row.code) << std::hex << row.key;
        EXPECT_EQ(key.shift, row.shift) << std::hex << row.key;
    }
}

TEST(KeyCodes, NoKeyIsEverCodeZero) {
    for (const char* layout : {"us", "de", "fr", "se"}) {
        const Keyboard keyboard(layout);
        for (quint32 keycode = 8; keycode < 256; ++keycode)
            for (bool shift : {false, true}) EXPECT_NE(keyboard.press(keycode, shift).code, 0) << layout << keycode;
    }
    for (int key = 0x20; key < 0x100; ++key) EXPECT_NE(qtKey(key, Qt::NoModifier).code, 0) << key;
    for (int key = Qt::Key_Escape; key < Qt::Key_Escape + 0x100; ++key)
        EXPECT_NE(qtKey(key, Qt::NoModifier).code, 0) << key;
}
