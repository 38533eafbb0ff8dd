// A player with a game pad alone, no keyboard or mouse, at the real window
// and SDL's virtual joystick as the pad, read by the SDL thread. Start
// opens the Game menu, the d-pad finds Start and A chooses it; in a menu the
// d-pad moves no ship; Back pauses and goes on; the d-pad and A set 30 fast
// bombs through the menus, which end the game with a new high score whose
// name the pad enters; the replay of that game verifies; Game > Exit ends
// the program. (The pad must be plugged in
// inside the program, which only SDL's own calls can do, so the window runs
// inside this test rather than as the program under a virtual X server.)
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

#include "tests/desktop/WindowTest.h"

namespace {

// Where the ship fires up between the first two bases.
constexpr Integer GapBetweenBases = 230;

QMenu* openMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }

QString activeItem() {
    QMenu* menu = openMenu();
    return menu && menu->activeAction() ? menu->activeAction()->text() : QString();
}

class PadPlayTest : public WindowTest {
protected:
    // A press and a let-go, each read by the SDL thread, then what it
    // posted taken in; a press with an effect to show waits for it.
    void press(SDL_GameControllerButton button, const std::function<bool()>& shows = {}) {
        pad.set(button, true);
        pad.set(button, false);
        if (shows) {
            EXPECT_TRUE(until(shows));
        }
        runFor(40);
    }
    // Start until the Game menu opens: the SDL thread may still be
    // opening the pad.
    bool openGameMenu() {
        for (int i = 0; i < 20 && !openMenu(); ++i) press(SDL_CONTROLLER_BUTTON_START);
        return until([] { return openMenu() != nullptr; });
    }
    // What the player does in a dialog, done as soon as one opens: from
    // inside the dialog's own loop, which holds the window's thread until
    // the dialog closes. The A that opened it is let go first.
    void inDialog(std::function<void(QWidget*)> act) {
        auto* watch = new QTimer(&window);
        QObject::connect(watch, &QTimer::timeout, [this, watch, act] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog) return;
            watch->stop();
            watch->deleteLater();
            pad.set(SDL_CONTROLLER_BUTTON_A, false);
            act(dialog);
        });
        watch->start(20);
    }
    // Start, then the d-pad across to a menu and down to an item.
    void choose(int rights, const QString& item) {
        ASSERT_TRUE(openGameMenu());
        for (int i = 0; i < rights; ++i) {
            const QMenu* before = openMenu();
            press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, [&] { return openMenu() != before; });
        }
        for (int i = 0; i < 20 && activeItem() != item; ++i) {
            const QString before = activeItem();
            press(SDL_CONTROLLER_BUTTON_DPAD_DOWN, [&] { return activeItem() != before; });
        }
        ASSERT_EQ(activeItem(), item);
        press(SDL_CONTROLLER_BUTTON_A);
    }
};

TEST_F(PadPlayTest, APadAloneStartsPlaysPausesAndEndsWithAName) {
    ASSERT_TRUE(openGameMenu());
    EXPECT_EQ(activeItem(), "Start");
    press(SDL_CONTROLLER_BUTTON_DPAD_DOWN, [] { return activeItem() == "Exit"; });
    press(SDL_CONTROLLER_BUTTON_DPAD_UP, [] { return activeItem() == "Start"; });
    press(SDL_CONTROLLER_BUTTON_A);
    ASSERT_TRUE(until([&] { return form.intGameState == 0 && !openMenu(); })) << "A chose Start";

    // In a menu the d-pad is the menu's: Left goes to the menu on the left
    // and the ship stays where it is.
    ASSERT_TRUE(openGameMenu());
    const QMenu* game = openMenu();
    const Integer still = form.intShipX;
    pad.set(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    EXPECT_TRUE(until([&] { return openMenu() != game; })) << "the menu heard Left";
    pad.set(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    EXPECT_EQ(form.intShipX, still);
    EXPECT_EQ(form.intShipDir, 0);
    press(SDL_CONTROLLER_BUTTON_B, [] { return !openMenu(); });
    press(SDL_CONTROLLER_BUTTON_BACK, [&] { return paused; });
    press(SDL_CONTROLLER_BUTTON_BACK, [&] { return !paused; });

    // One bomb at a time while the ship fires up through the gap between
    // the first two bases until a hit passes the high score of the empty
    // folder; then 30 fast bombs end the game against a ship standing
    // still.
    choose(3, "1");
    const auto towards = GapBetweenBases < form.intShipX ? SDL_CONTROLLER_BUTTON_DPAD_LEFT : SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
    pad.set(towards, true);
    EXPECT_TRUE(until([&] { return std::abs(form.intShipX - GapBetweenBases) <= 3; })) << "the d-pad steers";
    pad.set(towards, false);
    for (const QDeadlineTimer hit(60000); form.dblScore == 0 && !hit.hasExpired();) press(SDL_CONTROLLER_BUTTON_A);
    ASSERT_GT(form.dblScore, 0) << "no hit within a minute";
    bool named = false;
    inDialog([&](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>();
        ASSERT_TRUE(qobject_cast<QInputDialog*>(dialog) && edit);
        for (auto button : {SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
                            SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_CONTROLLER_BUTTON_DPAD_UP})
            press(button);
        EXPECT_TRUE(until([&] { return edit->text() == "B A"; })) << "up and down change the letter under the cursor";
        press(SDL_CONTROLLER_BUTTON_B, [&] { return edit->text() == "B "; });
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, QStringLiteral("z"));
        QCoreApplication::sendEvent(edit, &typed);
        EXPECT_EQ(edit->text(), "B z") << "the keyboard types in the same box";
        named = true;
        press(SDL_CONTROLLER_BUTTON_A);
    });
    choose(3, "30");
    choose(4, "High");
    ASSERT_TRUE(until([&] { return named && !QApplication::activeModalWidget(); }, 60000))
        << "no name prompt: state " << form.intGameState << ", lives " << form.intLives << ", paused " << paused;
    EXPECT_EQ(form.strHighName, "B z") << "A accepts";
    EXPECT_EQ(replayStatus(), 0);
}

TEST_F(PadPlayTest, GameExitEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(choose(0, "Exit"); runFor(5000), ::testing::ExitedWithCode(0), "");
}

}  // namespace
