// Dispatching an event: each kind of event calls its handler.
#include "shell/events.h"

#include "shell/frmVorlane.h"

namespace {

void tick(frmVorlane& form, int timer) {
    switch (timer) {
    case 1: form.Timer1_Timer(); return;
    case 2: form.Timer2_Timer(); return;
    case 3: form.Timer3_Timer(); return;
    case 4: form.Timer4_Timer(); return;
    case 6: form.Timer6_Timer(); return;
    default: return;
    }
}

void menuCommand(frmVorlane& form, int menu, int item) {
    const auto menus = form.menuBar();
    if (menu < 0 || menu >= static_cast<int>(menus.size())) return;
    const auto& items = menus[static_cast<std::size_t>(menu)]->items();
    if (item < 0 || item >= static_cast<int>(items.size())) return;
    items[static_cast<std::size_t>(item)]->click();
}

}  // namespace

void dispatch(frmVorlane& form, const GameEvent& event) {
    switch (event.kind) {
    case GameEvent::Kind::Tick: tick(form, event.timer); return;
    case GameEvent::Kind::KeyDown: form.Form_KeyDown(event.keyCode, event.shift); return;
    case GameEvent::Kind::KeyUp: form.Form_KeyUp(event.keyCode, event.shift); return;
    case GameEvent::Kind::Menu: menuCommand(form, event.menu, event.item); return;
    case GameEvent::Kind::DoubleClick: form.Form_DblClick(); return;
    }
}
