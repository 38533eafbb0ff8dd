// Turns Qt key events into the game's key codes and Shift/Ctrl/Alt mask.
// On X and Wayland a key's native code is its XKB keycode, read through the
// player's layout: the key that types "-" is 189 with Shift held too, and
// wherever the layout puts it. Where the native code is no XKB keycode the
// key Qt names is used, read as on a US keyboard.
#include "desktop/window/KeyCodes.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <xkbcommon/xkbcommon-keysyms.h>

#include "desktop/window/KeyLayout.h"

namespace {

constexpr Integer ShiftBit = 1, CtrlBit = 2, AltBit = 4;

// A native number (a keycode, a key symbol, a character) and its code.
struct Native {
    quint32 native;
    Integer code;
};

template <std::size_t N>
Integer codeIn(const Native (&table)[N], quint32 native) {
    for (const Native& entry : table)
        if (entry.native == native) return entry.code;
    return NoKeyCode;
}

// X keycodes (the kernel's key numbers plus 8) of a PC keyboard.
constexpr Native Places[] = {
    {9, 27},    {10, 49},   {11, 50},   {12, 51},   {13, 52},   {14, 53},   {15, 54},   {16, 55},
    {17, 56},   {18, 57},   {19, 48},   {20, 189},  {21, 187},  {22, 8},    {23, 9},    {24, 81},
    {25, 87},   {26, 69},   {27, 82},   {28, 84},   {29, 89},   {30, 85},   {31, 73},   {32, 79},
    {33, 80},   {34, 219},  {35, 221},  {36, 13},   {37, 17},   {38, 65},   {39, 83},   {40, 68},
    {41, 70},   {42, 71},   {43, 72},   {44, 74},   {45, 75},   {46, 76},   {47, 186},  {48, 222},
    {49, 192},  {50, 16},   {51, 220},  {52, 90},   {53, 88},   {54, 67},   {55, 86},   {56, 66},
    {57, 78},   {58, 77},   {59, 188},  {60, 190},  {61, 191},  {62, 16},   {63, 106},  {64, 18},
    {65, 32},   {66, 20},   {67, 112},  {68, 113},  {69, 114},  {70, 115},  {71, 116},  {72, 117},
    {73, 118},  {74, 119},  {75, 120},  {76, 121},  {79, 103},  {80, 104},  {81, 105},  {82, 109},
    {83, 100},  {84, 101},  {85, 102},  {86, 107},  {87, 97},   {88, 98},   {89, 99},   {90, 96},
    {91, 110},  {95, 122},  {96, 123},  {104, 13},  {105, 17},  {106, 111}, {108, 18},  {110, 36},
    {111, 38},  {112, 33},  {113, 37},  {114, 39},  {115, 35},  {116, 40},  {117, 34},  {118, 45},
    {119, 46},  {191, 124}, {192, 125}, {193, 126}, {194, 127}, {195, 128}, {196, 129}, {197, 130},
    {198, 131}, {199, 132}, {200, 133}, {201, 134}, {202, 135},
};

// The keypad by what Num Lock makes of it: digits with it on, the arrows
// and the keys above them with it off.
constexpr Native KeypadSymbols[] = {
    {XKB_KEY_KP_Left, 37},      {XKB_KEY_KP_Up, 38},       {XKB_KEY_KP_Right, 39},      {XKB_KEY_KP_Down, 40},
    {XKB_KEY_KP_Home, 36},      {XKB_KEY_KP_End, 35},      {XKB_KEY_KP_Prior, 33},      {XKB_KEY_KP_Next, 34},
    {XKB_KEY_KP_Insert, 45},    {XKB_KEY_KP_Delete, 46},   {XKB_KEY_KP_Begin, 12},      {XKB_KEY_KP_Enter, 13},
    {XKB_KEY_KP_Multiply, 106}, {XKB_KEY_KP_Add, 107},     {XKB_KEY_KP_Subtract, 109},  {XKB_KEY_KP_Decimal, 110},
    {XKB_KEY_KP_Separator, 110}, {XKB_KEY_KP_Divide, 111},
};

Integer codeOfKeypad(quint32 keysym) {
    if (keysym >= XKB_KEY_KP_0 && keysym <= XKB_KEY_KP_9) return static_cast<Integer>(96 + (keysym - XKB_KEY_KP_0));
    return codeIn(KeypadSymbols, keysym);
}

// The punctuation keys by the signs they type, as on a US keyboard.
constexpr Native Signs[] = {
    {';', 186}, {':', 186}, {',', 188}, {'<', 188}, {'.', 190}, {'>', 190}, {'/', 191}, {'?', 191}, {'`', 192},
    {'~', 192}, {'[', 219}, {'{', 219}, {'\\', 220}, {'|', 220}, {']', 221}, {'}', 221}, {'\'', 222}, {'"', 222},
};

// A letter, a digit or a speed sign the key types.
Integer codeOfCharacter(char32_t c) {
    if (c >= 'a' && c <= 'z') return static_cast<Integer>(65 + (c - 'a'));
    if (c >= 'A' && c <= 'Z') return static_cast<Integer>(65 + (c - 'A'));
    if (c >= '0' && c <= '9') return static_cast<Integer>(48 + (c - '0'));
    if (c == '+' || c == '=') return 187;
    if (c == '-') return 189;
    return NoKeyCode;
}

// A key by the characters it types without and with Shift: a letter, a
// digit or a speed sign first, the plain one before the shifted one (the
// French top row types its digits with Shift, and its "-" without), then
// the other signs.
Integer codeOfCharacters(const KeyLayout& layout, quint32 keycode) {
    const char32_t typed[] = {layout.character(keycode, 0), layout.character(keycode, 1)};
    for (char32_t c : typed)
        if (const Integer code = codeOfCharacter(c); code != NoKeyCode) return code;
    for (char32_t c : typed)
        if (const Integer code = codeIn(Signs, c); code != NoKeyCode) return code;
    return NoKeyCode;
}

// A key of the player's layout: the keypad by Num Lock, a key that types a
// letter, a digit or a sign by what it types, any other by its place. The
// places of the US plus and minus keys are the speed keys only when they
// type those signs; otherwise (the German "ß" and "´", a French ")") they
// are the punctuation keys beside them.
Integer codeOfKey(const KeyLayout& layout, quint32 keycode, quint32 keysym) {
    Integer code = codeOfKeypad(keysym);
    if (code == NoKeyCode) code = codeOfCharacters(layout, keycode);
    if (code != NoKeyCode) return code;
    code = codeIn(Places, keycode);
    if (code == 187) return 221;
    if (code == 189) return 219;
    return code;
}

// Keys Qt names the same wherever they lie.
struct Named {
    int key;
    Integer code;
};
constexpr Named Keypad[] = {
    {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107},  {Qt::Key_Minus, 109},  {Qt::Key_Period, 110},
    {Qt::Key_Comma, 110},    {Qt::Key_Slash, 111}, {Qt::Key_Enter, 13},
};
constexpr Named Keys[] = {
    {Qt::Key_Backspace, 8},   {Qt::Key_Tab, 9},          {Qt::Key_Backtab, 9},     {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},      {Qt::Key_Shift, 16},       {Qt::Key_Control, 17},    {Qt::Key_Alt, 18},
    {Qt::Key_AltGr, 18},      {Qt::Key_CapsLock, 20},    {Qt::Key_Escape, 27},     {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},     {Qt::Key_PageDown, 34},    {Qt::Key_End, 35},        {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},       {Qt::Key_Up, 38},          {Qt::Key_Right, 39},      {Qt::Key_Down, 40},
    {Qt::Key_Insert, 45},     {Qt::Key_Delete, 46},      {Qt::Key_ParenRight, 48}, {Qt::Key_Exclam, 49},
    {Qt::Key_At, 50},         {Qt::Key_NumberSign, 51},  {Qt::Key_Dollar, 52},     {Qt::Key_Percent, 53},
    {Qt::Key_AsciiCircum, 54}, {Qt::Key_Ampersand, 55},  {Qt::Key_Asterisk, 56},   {Qt::Key_ParenLeft, 57},
    {Qt::Key_Semicolon, 186}, {Qt::Key_Colon, 186},      {Qt::Key_Equal, 187},     {Qt::Key_Plus, 187},
    {Qt::Key_Comma, 188},     {Qt::Key_Less, 188},       {Qt::Key_Minus, 189},     {Qt::Key_Underscore, 189},
    {Qt::Key_Period, 190},    {Qt::Key_Greater, 190},    {Qt::Key_Slash, 191},     {Qt::Key_Question, 191},
    {Qt::Key_QuoteLeft, 192}, {Qt::Key_AsciiTilde, 192}, {Qt::Key_BracketLeft, 219}, {Qt::Key_BraceLeft, 219},
    {Qt::Key_Backslash, 220}, {Qt::Key_Bar, 220},        {Qt::Key_BracketRight, 221}, {Qt::Key_BraceRight, 221},
    {Qt::Key_Apostrophe, 222}, {Qt::Key_QuoteDbl, 222},
};

Integer codeOfName(int key, bool keypad) {
    if (keypad && key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<Integer>(96 + (key - Qt::Key_0));
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<Integer>(48 + (key - Qt::Key_0));
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<Integer>(65 + (key - Qt::Key_A));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<Integer>(112 + (key - Qt::Key_F1));
    if (keypad)
        for (const Named& named : Keypad)
            if (named.key == key) return named.code;
    for (const Named& named : Keys)
        if (named.key == key) return named.code;
    return NoKeyCode;
}

// The bits a modifier key itself stands for. AltGr is Ctrl and Alt at once.
Integer bitsOf(const QKeyEvent& event, Integer code) {
    if (event.key() == Qt::Key_AltGr) return CtrlBit | AltBit;
    switch (code) {
    case 16: return ShiftBit;
    case 17: return CtrlBit;
    case 18: return AltBit;
    default: return 0;
    }
}

}  // namespace

namespace {

const KeyLayout* desktopLayout() {
    static const bool xkbKeycodes = QGuiApplication::platformName() == QLatin1String("xcb") ||
                                    QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    return xkbKeycodes ? KeyLayout::desktop() : nullptr;
}

}  // namespace

GameKey gameKey(const QKeyEvent& event) { return gameKey(event, desktopLayout()); }

void readKeyLayout() { desktopLayout(); }

GameKey gameKey(const QKeyEvent& event, const KeyLayout* layout) {
    const Qt::KeyboardModifiers held = event.modifiers();
    const quint32 keycode = event.nativeScanCode();
    Integer code = NoKeyCode;
    if (layout && keycode != 0) code = codeOfKey(*layout, keycode, event.nativeVirtualKey());
    if (code == NoKeyCode) code = codeOfName(event.key(), held.testFlag(Qt::KeypadModifier));

    Integer shift = 0;
    if (held.testFlag(Qt::ShiftModifier)) shift |= ShiftBit;
    if (held.testFlag(Qt::ControlModifier)) shift |= CtrlBit;
    if (held.testFlag(Qt::AltModifier)) shift |= AltBit;
    if (held.testFlag(Qt::GroupSwitchModifier)) shift |= CtrlBit | AltBit;
    // X reports the modifiers as they were before the event; the game wants
    // them as they are after it.
    if (event.type() == QEvent::KeyPress)
        shift |= bitsOf(event, code);
    else
        shift &= ~bitsOf(event, code);
    return {code, shift};
}
