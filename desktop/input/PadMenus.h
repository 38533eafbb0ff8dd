// A game pad in the window's menus and dialogs, for a player with no
// keyboard or mouse. Start opens the Game menu (the game shows its hidden
// bar first, as for F10) and Back pauses and goes on again, as the Pause
// key. While a menu is open the d-pad moves from menu to menu and item to
// item, A chooses and B closes, as the arrows, Enter and Escape do. In the
// About box A is OK. In the name prompt the pad enters a name as arcade
// games do: up and down change the letter under the cursor, left and right
// move the cursor, A accepts and B deletes; the keyboard still types in
// the same box.
#pragma once

#include <functional>

class QInputDialog;

enum class PadButton { Up, Down, Left, Right, A, B, Start, Back };

class PadMenus {
public:
    // openMenu: what F10 does; pause: what the Pause key does.
    PadMenus(std::function<void()> openMenu, std::function<void()> pause);

    // True while a menu or a dialog is open: the pad's buttons are its,
    // and the game gets none of them.
    static bool open();
    // A button went down.
    void press(PadButton button);

private:
    static void enterName(QInputDialog& prompt, PadButton button);

    std::function<void()> openMenu_;
    std::function<void()> pause_;
};
