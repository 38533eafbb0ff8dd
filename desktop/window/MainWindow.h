// The game's main window on the desktop: the surface widget as the client
// area, which the player may size freely or make fullscreen (F11), the menu
// bar kept in step with the game's menu items, one clock for the game's
// timers, and the keys, the pads, the double-click and the menu
// clicks passed to the game's handlers through one door, which holds them
// back while the game is paused (Pause), busy or under a dialog. F10 opens
// the menus from the keyboard, Alt being a fire key, and a pad's Start
// from the pad, which also finds its way through the menus and dialogs
// (PadMenus). After each event it shows the part of the surface the game
// changed.
#pragma once

#include <QMainWindow>

#include <functional>

#include "desktop/input/PadMenus.h"
#include "desktop/window/Door.h"
#include "shell/events.h"

class Controllers;
class DesktopPlatform;
class GameClock;
class HeldFire;
class MenuItem;
class Pause;
class QAction;
class QMenuBar;
class SurfaceWidget;
class Timer;
class frmVorlane;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(frmVorlane& form, DesktopPlatform& platform);
    ~MainWindow() override;

    // What stands behind the window's door: a recording that keeps each
    // event on its way to the game, or nothing at all for a replay. The
    // game's own handlers when unset.
    void setBehindDoor(std::function<void(const GameEvent&)> behind) { behindDoor_ = std::move(behind); }
    // Shows the part of the surface the game has changed.
    void showChanges();
    // Told each time the pause starts or ends.
    void onPause(std::function<void(bool)> changed);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Tab is a key for the game, not a move of the focus.
    bool focusNextPrevChild(bool) override { return false; }

private:
    void buildMenus();
    void mirrorItem(QAction* action, const MenuItem& item);
    void showBarWithMenus();
    void openGameMenu();
    QSize openingSize() const;
    static bool hostKey(const QKeyEvent& event);
    // What the door lets in goes to the game, and the window shows what
    // the game changed.
    void enter(const GameEvent& event);

    frmVorlane& form_;
    DesktopPlatform& platform_;
    SurfaceWidget* view_;
    QMenuBar* bar_;
    Door door_;
    Pause* pause_;
    int barHeight_ = 0;
    bool menuWanted_ = false;  // F10 waits for the game to show the bar
    std::function<void(const GameEvent&)> behindDoor_;
    PadMenus padMenus_;
    HeldFire* heldFire_;
    Controllers* controllers_;
    GameClock* clock_;
};
