// The game's main window on the desktop: the surface widget as the client
// area, the menu bar kept in step with the game's menu items, a precise
// QTimer for each of the game's timers, and the keys, the double-click and
// the menu clicks passed to the game's handlers. After each event it shows
// the part of the surface the game changed.
#pragma once

#include <QMainWindow>

#include "shell/events.h"

class Controllers;
class DesktopPlatform;
class HeldFire;
class MenuItem;
class QAction;
class SurfaceWidget;
class Timer;
class frmVorlane;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(frmVorlane& form, DesktopPlatform& platform);
    ~MainWindow() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    // Tab is a key for the game, not a move of the focus.
    bool focusNextPrevChild(bool) override { return false; }

private:
    void buildMenus();
    void mirrorItem(QAction* action, const MenuItem& item);
    void driveTimer(Timer& timer, int number);
    // The one place where events reach the game: it hands the event to the
    // game's handler and shows what the handler changed.
    void send(const GameEvent& event);

    frmVorlane& form_;
    DesktopPlatform& platform_;
    SurfaceWidget* view_;
    HeldFire* heldFire_;
    Controllers* controllers_;
};
