// The desktop program: the application, the game and its window. The game
// loads before the window appears, so a load that ends the program never
// shows it. The screen's scale is taken as it is, fractions included: the
// play area keeps its size and its pixels stay sharp at any scale. With no
// display to open it says so and ends before Qt starts; told to end by a
// signal, it ends as cleanly as when the window closes. Every game is
// recorded and kept in the player's replay folder; the command line can
// also watch, verify or send a replay instead. A window's program ends
// once what is on its way to the disk is there, without tearing anything
// down: a thread stuck on a sound server or a disk that does not answer is
// left behind with nothing freed under it.
#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

#include "desktop/replays/ReplayCommands.h"
#include "desktop/replays/ReplayShelf.h"
#include "desktop/replays/SendReplay.h"
#include "desktop/sdl/SdlThread.h"
#include "desktop/startup/CommandLine.h"
#include "desktop/startup/DisplayCheck.h"
#include "desktop/startup/QuitOnSignal.h"
#include "desktop/startup/RasterOnWayland.h"
#include "desktop/window/DesktopPlatform.h"
#include "desktop/window/KeyCodes.h"
#include "desktop/window/MainWindow.h"
#include "replay/recordedsession.h"
#include "resources/resources.h"

namespace {

[[noreturn]] void leave(int status) {
    std::fflush(nullptr);
    ::_exit(status);
}

}  // namespace

int main(int argc, char* argv[]) {
    const CommandLine command = readCommandLine(argc, argv);
    if (command.mode == CommandLine::Mode::Done) return command.status;
    if (command.mode == CommandLine::Mode::Verify) return verifyReplayCommand(argv, command.file);
    if (command.mode == CommandLine::Mode::Send) return sendReplayCommand(argv, command.file, command.hall);
    if (!checkGraphicalSession(command.platform.toStdString(), command.display.toStdString())) return 1;
    // The sound device and the pads start on SDL's own thread while Qt
    // starts here: the game's question for a sound device, at its load,
    // then seldom waits, and the window shows sooner.
    const std::shared_ptr<SdlThread> sdl = SdlThread::share();
    paintWithoutGlOnWayland();
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);
    quitOnSignals();
    // Task bars and the dialogs' title bars show this name.
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Vorlane"));
    // Up to 128 pixels: the X server keeps every size the window offers,
    // and launchers take the larger icon installed with the program.
    QIcon icon;
    for (const QImage& size : earthIcons())
        if (size.width() <= 128) icon.addPixmap(QPixmap::fromImage(size));
    app.setWindowIcon(icon);
    if (command.mode == CommandLine::Mode::Replay) leave(watchReplay(command.file));
    DesktopPlatform platform;
    // The game sees the desktop through the recording, and its events pass
    // the recorder behind the window's door; finished games go to the
    // replay folder.
    ReplayShelf shelf;
    RecordedSession session(platform, platform.seed(), shelf);
    // However it ends, the program first finishes writing the games
    // already kept and a new high score.
    platform.beforeEnd([&shelf, &session] {
        shelf.flush();
        session.finishWriting();
    });
    MainWindow window(session.form(), platform);
    window.setBehindDoor([&session](const GameEvent& event) { session.deliver(event); });
    session.form().Form_Load();
    window.show();
    QTimer::singleShot(0, &window, readKeyLayout);
    const int status = app.exec();
    session.finish();
    platform.endProgram(status);
}
