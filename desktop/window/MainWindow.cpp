// The game's main window: the client area and its opening size, the menu
// bar mirror laid over its strip, the timer drivers, the keys, fullscreen
// and the pause.
#include "desktop/window/MainWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QScreen>

#include <cmath>

#include "desktop/input/Controllers.h"
#include "desktop/input/HeldFire.h"
#include "desktop/window/DesktopClose.h"
#include "desktop/window/DesktopPlatform.h"
#include "desktop/window/GameClock.h"
#include "desktop/window/KeyCodes.h"
#include "desktop/window/Pause.h"
#include "desktop/window/PlayArea.h"
#include "desktop/window/SurfaceWidget.h"
#include "shell/frmVorlane.h"
#include "shell/surface.h"

namespace {

// Alt is a fire key: pressing it alone must not put the keyboard into the
// menu bar, as the desktop style would. F10 opens the menus instead.
class NoAltMenuStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_MenuBar_AltKeyNavigation) return 0;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

}  // namespace

MainWindow::MainWindow(frmVorlane& form, DesktopPlatform& platform)
    : form_(form),
      platform_(platform),
      view_(new SurfaceWidget(form.surface, this)),
      bar_(new QMenuBar(this)),
      door_([this](const GameEvent& event) { enter(event); }, [this] { return platform_.dialogOpen(); }),
      pause_(new Pause(*this, form, platform, *view_, door_)),
      padMenus_([this] { openGameMenu(); }, [this] { pause_->toggle(); }),
      heldFire_(new HeldFire([this](const GameEvent& event) { door_.deliver(event); }, *this)),
      controllers_(new Controllers([this](const GameEvent& event) { door_.deliver(event); },
          {[this](int code, int shift) { heldFire_->press(code, shift); },
           [this](int code) { heldFire_->release(code); }},
          padMenus_, this)),
      // Nothing of the game runs after the window has closed.
      clock_(new GameClock([this](int number) {
          if (isVisible()) door_.deliver(GameEvent::tick(number));
      }, this)) {
    // The form's caption is three spaces, which would leave the title bar
    // and the task bar nameless: the window goes by the game's name.
    setWindowTitle(QStringLiteral("Vorlane"));
    setCentralWidget(view_);
    // The window keeps the keyboard: nothing inside it takes the focus.
    setFocusPolicy(Qt::StrongFocus);
    bar_->setFocusPolicy(Qt::NoFocus);
    auto* style = new NoAltMenuStyle;
    style->setParent(bar_);
    bar_->setStyle(style);
    platform_.attach(*view_);
    // Closed, even under a dialog, or destroyed by another program, the
    // window ends the program.
    new DesktopClose(*this);
    connect(view_, &SurfaceWidget::doubleClicked, this, [this] { door_.deliver(GameEvent::doubleClick()); });
    // A key let go under a dialog reaches the dialog, and one let go in
    // another program reaches nobody: the door hears of both.
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive) door_.releaseAll();
    });
    buildMenus();
    // The menu bar lies over a strip of its own height at the top, which the
    // play area keeps clear whether the bar is shown or not: showing and
    // hiding the menus moves nothing.
    barHeight_ = bar_->sizeHint().height();
    view_->reserveTop(barHeight_);
    bar_->raise();
    resize(openingSize());
    clock_->follow(form_.Timer1, 1);
    clock_->followMainTick(form_.Timer2, 2);
    clock_->follow(form_.Timer3, 3);
    clock_->follow(form_.Timer4, 4);
    clock_->follow(form_.Timer6, 6);
}

// The game outlives the window; its controls must not call back into it.
MainWindow::~MainWindow() {
    clock_->forget();
    for (MenuItem* menu : form_.menuBar()) {
        menu->onChange({});
        for (MenuItem* item : menu->items()) item->onChange({});
    }
}

// The window opens as large as the screen's free area takes the play area
// at a whole scale, leaving room for a window manager's title bar.
QSize MainWindow::openingSize() const {
    constexpr int TitleBar = 32;
    const qreal ratio = screen()->devicePixelRatio();
    const QSize free = screen()->availableGeometry().size() - QSize(0, TitleBar + barHeight_);
    const int scale = wholeScale(free * ratio);
    return {static_cast<int>(std::ceil(Surface::Width * scale / ratio)),
            barHeight_ + static_cast<int>(std::ceil(Surface::Height * scale / ratio))};
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    bar_->setGeometry(0, 0, width(), barHeight_);
}

// Fullscreen gives the whole screen to the play area; the menu bar, when
// the game shows it, lies over the top edge.
void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) view_->reserveTop(isFullScreen() ? 0 : barHeight_);
}

void MainWindow::onPause(std::function<void(bool)> changed) { pause_->onChange(std::move(changed)); }

void MainWindow::enter(const GameEvent& event) {
    if (behindDoor_)
        behindDoor_(event);
    else
        dispatch(form_, event);
    view_->showChanges();
}

void MainWindow::showChanges() { view_->showChanges(); }

// An item shows a check mark while the game has it checked and nothing at
// all otherwise, not an empty box.
void MainWindow::mirrorItem(QAction* action, const MenuItem& item) {
    action->setText(item.caption());
    action->setCheckable(item.checked());
    action->setChecked(item.checked());
    action->setEnabled(item.enabled());
    action->setVisible(item.visible());
}

void MainWindow::buildMenus() {
    const auto menus = form_.menuBar();
    for (int m = 0; m < static_cast<int>(menus.size()); ++m) {
        MenuItem* menu = menus[static_cast<std::size_t>(m)];
        QMenu* popup = bar_->addMenu(menu->caption());
        QAction* title = popup->menuAction();
        menu->onChange([this, title, menu] {
            mirrorItem(title, *menu);
            showBarWithMenus();
        });
        mirrorItem(title, *menu);
        for (int i = 0; i < static_cast<int>(menu->items().size()); ++i) {
            MenuItem* item = menu->items()[static_cast<std::size_t>(i)];
            QAction* action = popup->addAction(item->caption());
            // Qt takes the mark off a checked item on a click by itself; the
            // game decides it, so the item is mirrored again afterwards.
            connect(action, &QAction::triggered, this, [this, action, item, m, i] {
                door_.deliver(GameEvent::menuCommand(m, i));
                mirrorItem(action, *item);
            });
            item->onChange([this, action, item] { mirrorItem(action, *item); });
            mirrorItem(action, *item);
        }
    }
}

// The bar goes when the game has hidden all its menus, leaving its strip
// black.
// The strip shows at once what the game did to its menus, even when a
// blocking pause follows (Start hides the menus, then the wave opens).
void MainWindow::showBarWithMenus() {
    bool any = false;
    for (const MenuItem* menu : form_.menuBar()) any = any || menu->visible();
    if (bar_->isVisible() == any) return;
    bar_->setVisible(any);
    if (any)
        bar_->repaint();
    else
        view_->repaint(bar_->geometry());
    if (any && menuWanted_) QTimer::singleShot(0, this, [this] { openGameMenu(); });
}

// The Game menu opens on its first item, as F10 opens a desktop program's
// first menu. A bar the game has hidden is shown first the game's own way,
// by Enter, and the menu opens once the game has shown it (after a pause
// of the game that holds the Enter back). Paused or under a dialog, the
// game takes no Enter and nothing opens.
void MainWindow::openGameMenu() {
    constexpr int EnterKey = 13;
    if (pause_->active() || platform_.dialogOpen()) return;
    if (!form_.mnuGame.visible()) {
        door_.deliver(GameEvent::keyDown(EnterKey, 0));
        door_.deliver(GameEvent::keyUp(EnterKey, 0));
    }
    if (!bar_->isVisible()) {
        menuWanted_ = true;
        return;
    }
    menuWanted_ = false;
    QAction* game = bar_->actions().constFirst();
    bar_->setActiveAction(game);
    QMenu* popup = game->menu();
    for (QAction* item : popup->actions())
        if (item->isVisible() && item->isEnabled()) {
            popup->setActiveAction(item);
            return;
        }
}

// F10, F11 and Pause belong to the window; the game never sees them.
bool MainWindow::hostKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_F10 || event.key() == Qt::Key_F11 || event.key() == Qt::Key_Pause;
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (hostKey(*event)) {
        if (event->isAutoRepeat()) return;
        if (event->key() == Qt::Key_F10)
            openGameMenu();
        else if (event->key() == Qt::Key_F11)
            setWindowState(windowState() ^ Qt::WindowFullScreen);
        else
            pause_->toggle();
        return;
    }
    const GameKey key = gameKey(*event);
    door_.deliver(GameEvent::keyDown(key.code, key.shift));
    if (!HeldFire::isFireKey(key.code)) return;
    if (event->isAutoRepeat())
        heldFire_->repeatedByDesktop(key.code);
    else
        heldFire_->press(key.code, key.shift);
}

// X repeats a held key as a release and a press: only the press counts.
void MainWindow::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat() || hostKey(*event)) return;
    const GameKey key = gameKey(*event);
    if (HeldFire::isFireKey(key.code)) heldFire_->release(key.code);
    door_.deliver(GameEvent::keyUp(key.code, key.shift));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Escape in a menu leaves the bar holding the keyboard, as the desktop
    // does for a menu opened with Alt; here the keys go back to the game.
    if (watched == bar_ && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, this, [this] {
            if (!QApplication::activePopupWidget()) setFocus();
        });
    if (event->type() == QEvent::KeyRelease && platform_.dialogOpen()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat() && !hostKey(*key)) door_.deliver(GameEvent::keyUp(gameKey(*key).code, 0));
    }
    return QMainWindow::eventFilter(watched, event);
}
