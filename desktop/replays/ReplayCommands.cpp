// Watching a replay in the real window and verifying one headless.
#include "desktop/replays/ReplayCommands.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

#include "desktop/replays/ReplayViewer.h"
#include "desktop/window/DesktopPlatform.h"
#include "desktop/window/MainWindow.h"
#include "replay/digest.h"
#include "replay/format.h"
#include "replay/playback.h"
#include "replay/verify.h"

namespace {

void complain(const QString& line) { std::fprintf(stderr, "vorlane: %s\n", qPrintable(line)); }

}  // namespace

int watchReplay(const QString& path) {
    const ReplayReading reading = readReplayFile(path);
    if (!reading.replay) {
        complain(QStringLiteral("%1: %2").arg(path, reading.problem));
        return 2;
    }
    const Replay& replay = *reading.replay;
    DesktopPlatform platform;
    if (replay.header.picturesDigest != picturesDigest(platform.programDirectory()))
        complain(QStringLiteral("%1: the pictures differ from the ones it was recorded with; playing anyway").arg(path));

    Playback playback(replay, platform.programDirectory(), &platform);
    MainWindow window(playback.form(), platform);
    // Only the recording plays: the window's keys, menus and timers reach nothing.
    window.setBehindDoor([](const GameEvent&) {});
    ReplayViewer viewer(playback, replay.end.startRecord, [&window] { window.showChanges(); });
    window.onPause([&viewer](bool paused) { viewer.setPaused(paused); });
    viewer.prepare();
    window.show();
    QTimer::singleShot(0, &viewer, [&viewer] { viewer.play(); });
    return QApplication::exec();
}

int verifyReplayCommand(char* argv[], const QString& path) {
    // Off screen, whatever window system the command line asked for.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int programOnly = 1;
    QGuiApplication app(programOnly, argv);
    const Verdict verdict = verifyReplayFile(path, QCoreApplication::applicationDirPath());
    if (!verdict.note.isEmpty()) complain(verdict.note);
    if (verdict.status == 2)
        complain(verdict.line);
    else
        std::printf("%s\n", qPrintable(verdict.line));
    return verdict.status;
}
