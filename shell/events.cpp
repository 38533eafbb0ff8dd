// The one door into the game: each kind of event calls its handler.
#include "shell/events.h"

#include "shell/frmVorlane.h"

namespace {

bool tick(frmVorlane& form, int timer) {
    switch (timer) {
    case 1: form.Timer1_Timer(); return true;
    case 2: form.Timer2_Timer(); return true;
    case 3: form.Timer3_Timer(); return true;
    case 4: form.Timer4_Timer(); return true;
    case 6: form.Timer6_Timer(); return true;
    default: return false;
    }
}

bool menuCommand(frmVorlane& form, int menu, int item) {
    const auto menus = form.menuBar();
    if (menu < 0 || menu >= static_cast<int>(menus.size())) return false;
    const auto& items = menus[static_cast<std::size_t>(menu)]->items();
    if (item < 0 || item >= static_cast<int>(items.size())) return false;
    items[static_cast<std::size_t>(item)]->click();
    return true;
}

}  // namespace

bool deliver(frmVorlane& form, const GameEvent& event) {
    switch (event.kind) {
    case GameEvent::Kind::Tick: return tick(form, event.a);
    case GameEvent::Kind::KeyDown: form.Form_KeyDown(event.a, event.b); return true;
    case GameEvent::Kind::KeyUp: form.Form_KeyUp(event.a, event.b); return true;
    case GameEvent::Kind::Menu: return menuCommand(form, event.a, event.b);
    case GameEvent::Kind::DoubleClick: form.Form_DblClick(); return true;
    }
    return false;
}
