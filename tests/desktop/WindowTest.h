// The real main window with its real menus and dialogs, off screen, the
// game recorded behind its door as the program records every game, and a
// pad plugged in: the scene of the tests that play through the window.
#pragma once

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

#include "desktop/window/DesktopPlatform.h"
#include "desktop/window/MainWindow.h"
#include "replay/format.h"
#include "replay/recordedsession.h"
#include "replay/verify.h"
#include "tests/desktop/VirtualPad.h"

// The desktop with its program folder a copy of the game's pictures, where
// the high score is written.
class CopiedPlatform : public DesktopPlatform {
public:
    explicit CopiedPlatform(const QString& folder) : folder_(folder) {
        for (const QString& name : QDir(VORLANE_BIN_DIR).entryList({"*.bmp"}))
            QFile::copy(QString(VORLANE_BIN_DIR) + "/" + name, folder + "/" + name);
    }
    QString programDirectory() override { return folder_; }

private:
    QString folder_;
};

struct KeptGames : ReplaySink {
    std::vector<SavedGame> games;
    void keep(SavedGame game) override { games.push_back(std::move(game)); }
    void flush() override {}
};

// Lets the window's events run for a while.
inline void runFor(int ms) {
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
}

class WindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { qputenv("SDL_AUDIODRIVER", "dummy"); }

    void SetUp() override {
        window.setBehindDoor([this](const GameEvent& event) {
            if (platform.dialogOpen()) ++enteredUnderDialog;
            entered.push_back(event);
            session.deliver(event);
        });
        window.onPause([this](bool now) { paused = now; });
        form.Form_Load();
        window.show();
        ASSERT_TRUE(pad.ready()) << SDL_GetError();
    }

    // How the one game kept plays again: 0 when to the same end.
    int replayStatus() {
        if (kept.games.size() != 1) return -1;
        const ReplayReading reading = decodeReplay(encodeReplay(kept.games[0]));
        return reading.replay ? verifyReplay(*reading.replay, folder.path()).status : -1;
    }

    QTemporaryDir folder;
    CopiedPlatform platform{folder.path()};
    KeptGames kept;
    RecordedSession session{platform, platform.seed(), kept};
    frmVorlane& form = session.form();
    MainWindow window{form, platform};
    VirtualPad pad;
    std::vector<GameEvent> entered;
    int enteredUnderDialog = 0;
    bool paused = false;
};
