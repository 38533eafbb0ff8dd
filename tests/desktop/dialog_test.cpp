// The game's own dialogs, opened for real over the real window: while the
// About box is open, a held Ctrl and a pad's X fire nothing and nothing at
// all reaches the game; a key let go under the box is let go in the game
// once it has closed; held fire comes back only with a new press, and the
// game recorded through all of it plays again to the same end.
#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

#include <algorithm>

#include "tests/desktop/WindowTest.h"

namespace {

constexpr int Ctrl = 17, Right = 39;

class DialogTest : public WindowTest {
protected:
    // Chooses a menu item as a click on it would.
    void choose(const MenuItem& item) {
        for (QAction* action : window.findChildren<QAction*>())
            if (action->text() == item.caption() && !action->menu()) return action->trigger();
        FAIL() << "no menu item " << item.caption().toStdString();
    }
    static void key(QWidget& to, QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers held) {
        QKeyEvent event(type, key, held);
        QApplication::sendEvent(&to, &event);
    }
    // Whether the last press or release of the key that reached the game
    // is this one: the game's ticks go on coming after it.
    bool lastOfItsKey(const GameEvent& event) const {
        for (auto e = entered.rbegin(); e != entered.rend(); ++e)
            if ((e->kind == GameEvent::Kind::KeyDown || e->kind == GameEvent::Kind::KeyUp) && e->keyCode == event.keyCode)
                return *e == event;
        return false;
    }
    long ctrlDownsSince(std::size_t from) const {
        return std::count(entered.begin() + static_cast<long>(from), entered.end(), GameEvent::keyDown(Ctrl, 2));
    }
};

TEST_F(DialogTest, UnderTheAboutBoxHeldFireAndAPadsFireButtonFireNothing) {
    choose(form.mnuStart);  // the wave's opening pause runs here
    key(window, QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    key(window, QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
    ASSERT_EQ(ctrlDownsSince(0), 1);

    // Under the box Ctrl stays held long enough to repeat, Right is let go
    // (the box hears it) and the pad's X goes down and stays.
    std::size_t beforeBox = 0;
    QTimer::singleShot(0, [&] {
        beforeBox = entered.size();
        runFor(1200);
        key(*QApplication::activeModalWidget(), QEvent::KeyRelease, Qt::Key_Right, Qt::ControlModifier);
        pad.set(SDL_CONTROLLER_BUTTON_X, true);
        runFor(800);
        EXPECT_EQ(entered.size(), beforeBox);
        QApplication::activeModalWidget()->close();
    });
    choose(form.mnuAbout);
    EXPECT_EQ(enteredUnderDialog, 0);
    const std::vector<GameEvent> after(entered.begin() + static_cast<long>(beforeBox), entered.end());
    EXPECT_EQ(after, (std::vector<GameEvent>{GameEvent::keyUp(Right, 0)}));

    // Ctrl and X, both still held, fire no more; X pressed anew does.
    runFor(1000);
    EXPECT_EQ(ctrlDownsSince(beforeBox), 0);
    key(window, QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier);
    pad.set(SDL_CONTROLLER_BUTTON_X, false);
    runFor(100);
    pad.set(SDL_CONTROLLER_BUTTON_X, true);
    EXPECT_TRUE(until([&] { return ctrlDownsSince(beforeBox) == 1; }));
    pad.set(SDL_CONTROLLER_BUTTON_X, false);
    EXPECT_TRUE(until([&] { return lastOfItsKey(GameEvent::keyUp(Ctrl, 0)); }));

    session.finish();
    EXPECT_EQ(replayStatus(), 0);
}

}  // namespace
