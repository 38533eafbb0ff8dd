// The pad in menus and dialogs: its buttons sent to an open menu as the
// keys a keyboard player would press there, to the About box as its OK,
// and to the name prompt's edit box as letters picked one by one.
#include "desktop/input/PadMenus.h"

#include <QApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace {

// The letters up and down go through in the name prompt, in order and
// round again.
const QString Letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ");

void sendKey(QWidget* to, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(to, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(to, &release);
}

// A message box's default button, or its only one: OK.
void pressOk(QMessageBox& box) {
    QAbstractButton* ok = box.defaultButton();
    if (!ok && !box.buttons().isEmpty()) ok = box.buttons().constFirst();
    if (ok) ok->click();
}

int menuKey(PadButton button) {
    switch (button) {
    case PadButton::Up: return Qt::Key_Up;
    case PadButton::Down: return Qt::Key_Down;
    case PadButton::Left: return Qt::Key_Left;
    case PadButton::Right: return Qt::Key_Right;
    case PadButton::A: return Qt::Key_Return;
    default: return Qt::Key_Escape;
    }
}

}  // namespace

PadMenus::PadMenus(std::function<void()> openMenu, std::function<void()> pause)
    : openMenu_(std::move(openMenu)), pause_(std::move(pause)) {}

bool PadMenus::open() {
    return QApplication::activePopupWidget() || QApplication::activeModalWidget();
}

void PadMenus::press(PadButton button) {
    if (QWidget* menu = QApplication::activePopupWidget()) {
        sendKey(menu, menuKey(button));
        return;
    }
    if (QWidget* dialog = QApplication::activeModalWidget()) {
        if (auto* prompt = qobject_cast<QInputDialog*>(dialog))
            enterName(*prompt, button);
        else if (auto* box = qobject_cast<QMessageBox*>(dialog); box && button == PadButton::A)
            pressOk(*box);
        return;
    }
    if (button == PadButton::Start) openMenu_();
    if (button == PadButton::Back) pause_();
}

// The cursor stands before the letter it changes; at the end of the name
// it stands on a new letter, while the name has room for one.
void PadMenus::enterName(QInputDialog& prompt, PadButton button) {
    auto* edit = prompt.findChild<QLineEdit*>();
    if (!edit) return;
    QString name = edit->text();
    int at = edit->cursorPosition();
    if (at >= name.size() && name.size() >= edit->maxLength()) at = name.size() - 1;
    switch (button) {
    case PadButton::Up:
    case PadButton::Down: {
        const int now = at < name.size() ? Letters.indexOf(name[at]) : -1;
        const int step = button == PadButton::Up ? 1 : -1;
        const int next = now < 0 ? (step > 0 ? 0 : Letters.size() - 1) : (now + step + Letters.size()) % Letters.size();
        if (at < name.size())
            name[at] = Letters[next];
        else
            name.append(Letters[next]);
        break;
    }
    case PadButton::Left: at = std::max(0, at - 1); break;
    case PadButton::Right: at = std::min(static_cast<int>(name.size()), at + 1); break;
    case PadButton::A: prompt.accept(); return;
    case PadButton::B:
        if (at >= name.size()) at = name.size() - 1;
        if (at >= 0) name.remove(at, 1);
        at = std::max(0, at);
        break;
    default: return;
    }
    edit->setText(name);
    edit->setCursorPosition(at);
}
