// Turns Qt key events into the game's key codes and Shift/Ctrl/Alt mask.
// On X every key is known by its keycode, its place on the keyboard, so
// the minus key is 189 with Shift held or on a layout that puts another
// sign on it; where the native code is not an X keycode the key Qt names
// is used, read as on a US keyboard.
#include "desktop/window/KeyCodes.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace {

constexpr Integer ShiftBit = 1, CtrlBit = 2, AltBit = 4;

// X keycodes (the kernel's key numbers plus 8) of a PC keyboard.
struct Place {
    quint32 keycode;
    Integer code;
};
constexpr Place Places[] = {
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

Integer codeOfPlace(quint32 keycode) {
    for (const Place& place : Places)
        if (place.keycode == keycode) return place.code;
    return NoKeyCode;
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

GameKey gameKey(const QKeyEvent& event) {
    static const bool onX = QGuiApplication::platformName() == QLatin1String("xcb");
    return gameKey(event, onX);
}

GameKey gameKey(const QKeyEvent& event, bool xKeycodes) {
    const Qt::KeyboardModifiers held = event.modifiers();
    const quint32 keycode = event.nativeScanCode();
    Integer code = NoKeyCode;
    if (xKeycodes && keycode != 0) code = codeOfPlace(keycode);
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
