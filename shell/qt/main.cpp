// The desktop program: the application, the game and its window. The game
// loads before the window appears, so a load that ends the program never
// shows it. The screen's scale is taken as it is, fractions included: the
// play area keeps its size and its pixels stay sharp at any scale. With no
// display to open it says so and ends before Qt starts; told to end by a
// signal, it ends as cleanly as when the window closes. Every game is
// recorded and kept in the player's replay folder; the command line can
// also watch or verify a replay instead.
#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include "replay/digest.h"
#include "replay/recorder.h"
#include "replay/recordingplatform.h"
#include "replay/shelf.h"
#include "resources/resources.h"
#include "shell/frmVorlane.h"
#include "shell/qt/CommandLine.h"
#include "shell/qt/DesktopPlatform.h"
#include "shell/qt/DisplayCheck.h"
#include "shell/qt/MainWindow.h"
#include "shell/qt/QuitOnSignal.h"
#include "shell/qt/ReplayCommands.h"

int main(int argc, char* argv[]) {
    const CommandLine command = readCommandLine(argc, argv);
    if (command.mode == CommandLine::Mode::Done) return command.status;
    if (command.mode == CommandLine::Mode::Verify) return verifyReplayCommand(argc, argv, command.file);
    if (!checkGraphicalSession(argc, argv)) return 1;
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);
    quitOnSignals();
    // The caption is the game's three spaces; task bars show this name.
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Vorlane"));
    QIcon icon;
    for (const QImage& size : earthIcons()) icon.addPixmap(QPixmap::fromImage(size));
    app.setWindowIcon(icon);
    if (command.mode == CommandLine::Mode::Replay) return watchReplay(command.file);
    DesktopPlatform platform;
    // The game sees the desktop through the recording, and its events come
    // through the recorder's door; finished games go to the replay folder.
    SessionLog log;
    HighScoreFileStore scores(platform.programDirectory() + QStringLiteral("/HS"));
    RecordingPlatform recording(platform, scores, log);
    frmVorlane form(recording);
    form.highScores = &recording;
    ReplayShelf shelf;
    SessionRecorder recorder(form, sessionHeader(platform.seed(), platform.programDirectory()), log, shelf);
    MainWindow window(form, platform);
    window.setDoor([&recorder](const GameEvent& event) { recorder.deliver(event); });
    form.Form_Load();
    window.show();
    const int status = app.exec();
    recorder.finish();
    return status;
}
