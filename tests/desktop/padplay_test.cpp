// A player with a game pad alone, no keyboard or mouse: the real main
// window with its real menus and dialogs, off screen, recorded as the
// program records every game, and SDL's virtual joystick as the pad, read
// by the SDL thread. Start opens the Game menu, the d-pad finds Start and A
// chooses it; the d-pad steers and A fires; Back pauses and goes on; the
// d-pad and A set 30 fast bombs through the menus, which end the game with
// a new high score whose name the pad enters; the replay of that game
// verifies; Help > About closes with A; Game > Exit ends the program.
// (The pad must be plugged in inside the program, which only SDL's own
// calls can do, so the window runs inside this test rather than as the
// program under a virtual X server.)
#include <QApplication>
#include <QDir>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "desktop/window/DesktopPlatform.h"
#include "desktop/window/MainWindow.h"
#include "replay/format.h"
#include "replay/recordedsession.h"
#include "replay/recorder.h"
#include "replay/verify.h"
#include "shell/frmVorlane.h"
#include "tests/desktop/VirtualPad.h"

namespace {

// The desktop with its program folder a copy of the game's pictures, where
// the high score is written.
class PadPlatform : public DesktopPlatform {
public:
    explicit PadPlatform(const QString& folder) : folder_(folder) {
        for (const QString& name : QDir(VORLANE_BIN_DIR).entryList({"*.bmp"}))
            QFile::copy(QString(VORLANE_BIN_DIR) + "/" + name, folder + "/" + name);
    }
    QString programDirectory() override { return folder_; }

private:
    QString folder_;
};

// Finished games, kept here.
struct Kept : ReplaySink {
    std::vector<QByteArray> games;
    void keep(SavedGame game) override { games.push_back(encodeReplay(std::move(game))); }
    void flush() override {}
};

QMenu* openMenu() {
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

// Where the ship fires up between the first two bases.
constexpr Integer GapBetweenBases = 230;

QString activeItem() {
    QMenu* menu = openMenu();
    return menu && menu->activeAction() ? menu->activeAction()->text() : QString();
}

}  // namespace

class PadPlayTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { qputenv("SDL_AUDIODRIVER", "dummy"); }

    QTemporaryDir folder;
    PadPlatform platform{folder.path()};
    Kept kept;
    RecordedSession session{platform, platform.seed(), kept};
    frmVorlane& form = session.form();
    MainWindow window{form, platform};
    VirtualPad pad;
    bool paused = false;

    void SetUp() override {
        window.setBehindDoor([this](const GameEvent& event) { session.deliver(event); });
        window.onPause([this](bool now) { paused = now; });
        form.Form_Load();
        window.show();
        ASSERT_TRUE(pad.ready()) << SDL_GetError();
    }

    // A press and a let-go, each read by the SDL thread, then what it
    // posted taken in; a press with an effect to show waits for it.
    void press(SDL_GameControllerButton button, const std::function<bool()>& shows = {}) {
        pad.set(button, true);
        pad.set(button, false);
        if (shows) {
            EXPECT_TRUE(until(shows));
        }
        wait(40);
    }
    static void wait(int ms) {
        const QDeadlineTimer deadline(ms);
        while (!deadline.hasExpired()) {
            QThread::msleep(1);
            QCoreApplication::processEvents();
        }
    }
    // Start until the Game menu opens: the SDL thread may still be
    // opening the pad.
    bool openGameMenu() {
        for (int i = 0; i < 20 && !openMenu(); ++i) press(SDL_CONTROLLER_BUTTON_START);
        return until([] { return openMenu() != nullptr; });
    }
    // Whether a check holds within a time, taking in what comes meanwhile.
    static bool waitFor(int ms, const std::function<bool()>& holds) {
        const QDeadlineTimer deadline(ms);
        while (!holds() && !deadline.hasExpired()) wait(10);
        return holds();
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
    // Holds the d-pad towards a place until the ship's left edge is there.
    void steerTo(Integer x) {
        const auto button = x < form.intShipX ? SDL_CONTROLLER_BUTTON_DPAD_LEFT : SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
        pad.set(button, true);
        waitFor(5000, [&] { return std::abs(form.intShipX - x) <= 3; });
        pad.set(button, false);
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

TEST_F(PadPlayTest, APadAloneStartsPlaysPausesEndsWithANameAndOpensAbout) {
    ASSERT_TRUE(openGameMenu()) << "Start opens the Game menu";
    EXPECT_EQ(activeItem(), "Start");
    press(SDL_CONTROLLER_BUTTON_DPAD_DOWN, [] { return activeItem() == "Exit"; });
    press(SDL_CONTROLLER_BUTTON_DPAD_UP, [] { return activeItem() == "Start"; });
    press(SDL_CONTROLLER_BUTTON_A);
    ASSERT_TRUE(until([&] { return form.intGameState == 0 && !openMenu(); })) << "A chose Start";

    const Integer from = form.intShipX;
    pad.set(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    EXPECT_TRUE(until([&] { return form.intShipX > from + 20; })) << "the d-pad steers";
    pad.set(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
    pad.set(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_TRUE(until([&] { return form.blnMissile; })) << "A fires";
    pad.set(SDL_CONTROLLER_BUTTON_A, false);

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
    press(SDL_CONTROLLER_BUTTON_B);
    EXPECT_TRUE(until([] { return !openMenu(); })) << "B closes the menu";

    press(SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_TRUE(until([&] { return paused; })) << "Back pauses";
    press(SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_TRUE(until([&] { return !paused; })) << "and goes on";

    // One bomb at a time while the ship fires up through the gap between
    // the first two bases until a hit passes the high score of the empty
    // folder; then 30 fast bombs end the game against a ship standing
    // still.
    choose(3, "1");
    steerTo(GapBetweenBases);
    for (const QDeadlineTimer hit(60000); form.dblScore == 0 && !hit.hasExpired();) press(SDL_CONTROLLER_BUTTON_A);
    ASSERT_GT(form.dblScore, 0) << "no hit within a minute";
    bool named = false;
    inDialog([&](QWidget* dialog) {
        auto* prompt = qobject_cast<QInputDialog*>(dialog);
        ASSERT_NE(prompt, nullptr);
        auto* edit = prompt->findChild<QLineEdit*>();
        press(SDL_CONTROLLER_BUTTON_DPAD_UP);
        press(SDL_CONTROLLER_BUTTON_DPAD_UP);
        press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
        press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
        press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
        press(SDL_CONTROLLER_BUTTON_DPAD_UP);
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
    ASSERT_TRUE(waitFor(60000, [&] { return named && !QApplication::activeModalWidget(); }))
        << "no name prompt: state " << form.intGameState << ", lives " << form.intLives << ", paused " << paused;
    EXPECT_EQ(form.strHighName, "B z") << "A accepts";

    ASSERT_EQ(kept.games.size(), 1u) << "the game over kept the game";
    QTemporaryDir replays;
    QFile file(replays.filePath("game.vorlane-replay"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kept.games.front());
    file.close();
    const Verdict verdict = verifyReplayFile(file.fileName(), folder.path());
    EXPECT_EQ(verdict.status, 0) << verdict.line.toStdString();

    bool about = false;
    inDialog([&](QWidget* dialog) {
        EXPECT_NE(qobject_cast<QMessageBox*>(dialog), nullptr);
        EXPECT_TRUE(form.Label6.visible()) << "the credits show";
        about = true;
        press(SDL_CONTROLLER_BUTTON_A);
    });
    choose(7, "About");
    EXPECT_TRUE(waitFor(5000, [&] { return about && !QApplication::activeModalWidget(); })) << "A is OK";
    EXPECT_FALSE(form.Label6.visible());
}

TEST_F(PadPlayTest, GameExitEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(choose(0, "Exit"); wait(5000), ::testing::ExitedWithCode(0), "");
}
