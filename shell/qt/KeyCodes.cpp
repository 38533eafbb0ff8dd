// Turns Qt key events into the game's key codes and Shift/Ctrl/Alt mask.
#include "shell/qt/KeyCodes.h"

#include <QKeyEvent>

namespace {

constexpr Integer ShiftBit = 1, CtrlBit = 2, AltBit = 4;

Integer codeOf(int key, bool keypad) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<Integer>(65 + (key - Qt::Key_A));
    if (key >= Qt::Key_0 && key <= Qt::Key_9 && !keypad) return static_cast<Integer>(48 + (key - Qt::Key_0));
    switch (key) {
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Space: return 32;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    // The plus/equals and the minus key of the main keyboard.
    case Qt::Key_Equal:
    case Qt::Key_Plus: return keypad ? 0 : 187;
    case Qt::Key_Minus: return keypad ? 0 : 189;
    default: return 0;
    }
}

Integer bitOf(Integer code) {
    switch (code) {
    case 16: return ShiftBit;
    case 17: return CtrlBit;
    case 18: return AltBit;
    default: return 0;
    }
}

}  // namespace

GameKey gameKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers held = event.modifiers();
    const Integer code = codeOf(event.key(), held.testFlag(Qt::KeypadModifier));
    Integer shift = 0;
    if (held.testFlag(Qt::ShiftModifier)) shift |= ShiftBit;
    if (held.testFlag(Qt::ControlModifier)) shift |= CtrlBit;
    if (held.testFlag(Qt::AltModifier)) shift |= AltBit;
    // X reports the modifiers as they were before the event; the game wants
    // them as they are after it.
    if (event.type() == QEvent::KeyPress)
        shift |= bitOf(code);
    else
        shift &= ~bitOf(code);
    return {code, shift};
}
