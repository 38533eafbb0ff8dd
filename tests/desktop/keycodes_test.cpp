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
#include "tests/support/GameTest.h"

namespace {

struct Press {
    int key;
    Qt::KeyboardModifiers held;
    quint32 keycode;  // X keycode, 0 for none
    Integer code, shift;
};

GameKey press(const Press& p, const KeyLayout* layout, QEvent::Type type = QEvent::KeyPress) {
    const QKeyEvent event(type, p.key, p.held, p.keycode, 0, 0);
    return gameKey(event, layout);
}

// A PC keyboard with one of the system's layouts. A key is pressed as Qt
// on X or Wayland reports it: its XKB keycode, and the symbol the layout
// gives it with Shift held and Num Lock on or off.
class Keyboard {
public:
    explicit Keyboard(const char* layout) : layout_(KeyLayout::compile({"evdev", "pc105", layout, "", ""})) {}
    bool ready() const { return layout_ != nullptr; }

    GameKey press(quint32 keycode, bool shift = false, bool numLock = false) const {
        xkb_keymap* keymap = layout_->keymap();
        xkb_state* state = xkb_state_new(keymap);
        const xkb_mod_mask_t held = shift ? 1u << xkb_keymap_mod_get_index(keymap, XKB_MOD_NAME_SHIFT) : 0;
        const xkb_mod_mask_t locked = numLock ? 1u << xkb_keymap_mod_get_index(keymap, XKB_MOD_NAME_NUM) : 0;
        xkb_state_update_mask(state, held, 0, locked, 0, 0, 0);
        const xkb_keysym_t keysym = xkb_state_key_get_one_sym(state, keycode);
        const char32_t typed = xkb_state_key_get_utf32(state, keycode);
        xkb_state_unref(state);
        Qt::KeyboardModifiers modifiers;
        if (shift) modifiers |= Qt::ShiftModifier;
        if (keysym >= XKB_KEY_KP_Space && keysym <= XKB_KEY_KP_9) modifiers |= Qt::KeypadModifier;
        const int key = typed > ' ' && typed < 0x7f ? static_cast<int>(QChar::toUpper(typed)) : Qt::Key_unknown;
        const QKeyEvent event(QEvent::KeyPress, key, modifiers, keycode, keysym, held | locked);
        return gameKey(event, layout_.get());
    }

private:
    std::unique_ptr<KeyLayout> layout_;
};

// XKB keycodes of a PC keyboard, by their place on a US one.
constexpr quint32 Digit4 = 13, Digit6 = 15, UsMinus = 20, UsEquals = 21, UsQ = 24, UsRightBracket = 35, UsA = 38,
                  UsSemicolon = 47, UsSlash = 61, Keypad4 = 83, KeypadMinus = 82, F1 = 67, LeftShift = 50;

}  // namespace

TEST(KeyCodes, TheKeysLabelledPlusAndMinusAreTheSpeedKeysOnEveryLayout) {
    struct Labelled {
        const char* layout;
        quint32 plus, minus;
    };
    for (const Labelled& l : {Labelled{"us", UsEquals, UsMinus}, Labelled{"de", UsRightBracket, UsSlash},
                              Labelled{"fr", UsEquals, Digit6}, Labelled{"se", UsMinus, UsSlash}}) {
        const Keyboard keyboard(l.layout);
        ASSERT_TRUE(keyboard.ready()) << l.layout;
        for (bool shift : {false, true}) {
            EXPECT_EQ(keyboard.press(l.plus, shift).code, 187) << l.layout << (shift ? " with Shift" : "");
            EXPECT_EQ(keyboard.press(l.minus, shift).code, 189) << l.layout << (shift ? " with Shift" : "");
        }
    }
    const Keyboard de("de");
    EXPECT_EQ(de.press(UsMinus).code, 191) << "the German sharp s goes by the question mark it types with Shift";
    EXPECT_EQ(de.press(UsEquals).code, 221) << "nor is the German accent key";
    EXPECT_EQ(Keyboard("fr").press(UsMinus).code, 219) << "nor the French closing bracket";
}

TEST(KeyCodes, LettersAndDigitsGoByWhatTheLayoutTypes) {
    const Keyboard fr("fr"), de("de"), se("se"), us("us");
    EXPECT_EQ(fr.press(UsQ).code, 65) << "the French A lies where the US Q does";
    EXPECT_EQ(fr.press(UsA).code, 81);
    EXPECT_EQ(fr.press(UsSemicolon).code, 77) << "and the French M beside L";
    EXPECT_EQ(fr.press(Digit4).code, 52) << "the French top row types its digits with Shift";
    EXPECT_EQ(de.press(29).code, 90) << "the German Z lies where the US Y does";
    EXPECT_EQ(us.press(UsSemicolon).code, 186);
    EXPECT_EQ(se.press(UsSemicolon).code, 186) << "the Swedish O with two dots lies there too";
    EXPECT_EQ(us.press(UsA, true).code, 65);
    EXPECT_EQ(us.press(UsA, true).shift, 1);
    EXPECT_EQ(de.press(F1).code, 112) << "a key that types nothing goes by its place";
    EXPECT_EQ(de.press(LeftShift).code, 16);
    EXPECT_EQ(de.press(LeftShift).shift, 1);
}

TEST(KeyCodes, TheKeypadGoesByNumLock) {
    for (const char* layout : {"us", "de", "fr", "se"}) {
        const Keyboard keyboard(layout);
        EXPECT_EQ(keyboard.press(Keypad4, false, false).code, 37) << layout << ": keypad 4 steers left";
        EXPECT_EQ(keyboard.press(Keypad4, false, true).code, 100) << layout;
        EXPECT_EQ(keyboard.press(79, false, false).code, 36) << layout << ": keypad 7 is Home";
        EXPECT_EQ(keyboard.press(90, false, false).code, 45) << layout << ": keypad 0 is Insert";
        EXPECT_EQ(keyboard.press(91, false, false).code, 46) << layout << ": the keypad's point is Delete";
        EXPECT_EQ(keyboard.press(91, false, true).code, 110) << layout;
        EXPECT_EQ(keyboard.press(KeypadMinus).code, 109) << layout << ": the keypad's minus is no speed key";
    }
}

TEST(KeyCodes, AKeymapSentAsTextAsOnWaylandReadsAsItsLayout) {
    const auto de = KeyLayout::compile({"evdev", "pc105", "de", "", ""});
    ASSERT_NE(de, nullptr);
    char* text = xkb_keymap_get_as_string(de->keymap(), XKB_KEYMAP_FORMAT_TEXT_V1);
    const auto sent = KeyLayout::fromText(text);
    std::free(text);
    ASSERT_NE(sent, nullptr);
    EXPECT_EQ(sent->character(UsRightBracket, 0), U'+');
    EXPECT_EQ(sent->character(UsRightBracket, 1), U'*');
    EXPECT_EQ(sent->character(UsMinus, 0), U'\u00df');
    EXPECT_EQ(KeyLayout::fromText("no keymap"), nullptr);
}

TEST(KeyCodes, WithoutXKeycodesTheKeyQtNamesGivesTheCode) {
    const Press presses[] = {
        {Qt::Key_Underscore, Qt::ShiftModifier, 20, 189, 1},  // the keycode is no X keycode here
        {Qt::Key_5, Qt::NoModifier, 0, 53, 0},
        {Qt::Key_5, Qt::KeypadModifier, 0, 101, 0},
        {Qt::Key_Slash, Qt::KeypadModifier, 0, 111, 0},
        {Qt::Key_Slash, Qt::NoModifier, 0, 191, 0},
        {Qt::Key_Exclam, Qt::ShiftModifier, 0, 49, 1},
        {Qt::Key_Alt, Qt::NoModifier, 0, 18, 4},
        {Qt::Key_Meta, Qt::NoModifier, 0, NoKeyCode, 0},
    };
    for (const Press& p : presses) {
        const GameKey key = press(p, nullptr);
        EXPECT_EQ(key.code, p.code) << "Qt key " << std::hex << p.key;
        EXPECT_EQ(key.shift, p.shift) << "Qt key " << std::hex << p.key;
    }
}

TEST(KeyCodes, NoKeyIsEverCodeZero) {
    for (const char* layout : {"us", "de", "fr", "se"}) {
        const Keyboard keyboard(layout);
        for (quint32 keycode = 8; keycode < 256; ++keycode)
            for (bool shift : {false, true}) EXPECT_NE(keyboard.press(keycode, shift).code, 0) << layout << keycode;
    }
    for (int key = 0x20; key < 0x100; ++key) EXPECT_NE(press({key, Qt::NoModifier, 0, 0, 0}, nullptr).code, 0) << key;
    for (int key = Qt::Key_Escape; key < Qt::Key_Escape + 0x100; ++key)
        EXPECT_NE(press({key, Qt::NoModifier, 0, 0, 0}, nullptr).code, 0) << key;
}

// The keys a German player presses, as the game takes them: the keys
// labelled "+" and "-" change the pace and show the help line, the sharp s
// only shows the help line, and keypad 4 with Num Lock off steers.
class GermanKeysTest : public GameTest {
protected:
    Keyboard keyboard{"de"};
    void key(quint32 keycode, bool numLock = false) {
        const GameKey down = keyboard.press(keycode, false, numLock);
        form->Form_KeyDown(down.code, down.shift);
    }
};

TEST_F(GermanKeysTest, PlusMinusSharpSAndTheKeypad) {
    start();
    key(UsRightBracket);
    EXPECT_EQ(form->Timer2.interval(), 26);
    EXPECT_TRUE(form->Label5.visible()) << "the speed keys are no game keys";
    key(UsSlash);
    key(UsSlash);
    EXPECT_EQ(form->Timer2.interval(), 24);
    form->Label5.setVisible(false);
    key(UsMinus);
    EXPECT_EQ(form->Timer2.interval(), 24) << "the sharp s changes no speed";
    EXPECT_TRUE(form->Label5.visible());
    key(Keypad4);
    EXPECT_EQ(form->intShipDir, -1) << "keypad 4 with Num Lock off steers left";
}
