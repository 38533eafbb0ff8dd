// Watching a replay in the real window and verifying one headless.
#include "desktop/replays/ReplayCommands.h"

#include <QApplication>
#include <QDateTime>
#include <QLocale>
#include <QTimer>

#include <cstdio>

#include "desktop/replays/ReplayKeys.h"
#include "desktop/replays/ReplaySigns.h"
#include "desktop/replays/ReplayViewer.h"
#include "desktop/window/DesktopPlatform.h"
#include "desktop/window/MainWindow.h"
#include "replay/digest.h"
#include "replay/format.h"
#include "replay/headless.h"
#include "replay/playback.h"
#include "replay/verify.h"

namespace {

void complain(const QString& line) { std::fprintf(stderr, "vorlane: %s\n", qPrintable(line)); }

// The key code the game's fire arrives with from a pad's buttons (and Ctrl).
constexpr int FireKey = 17;

QString replayTitle(const Replay& replay) {
    const QDateTime at = QDateTime::fromMSecsSinceEpoch(replay.header.recordedAt).toLocalTime();
    return QStringLiteral("Replay of %1, score %2")
        .arg(QLocale().toString(at, QLocale::ShortFormat), QString::number(replay.end.score, 'f', 0));
}

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
    const QString title = replayTitle(replay);
    window.setWindowTitle(title);
    ReplayViewer viewer(playback, replay.end.startRecord, [&window] { window.showChanges(); });
    ReplaySigns signs(window, *window.centralWidget());
    bool paused = false;
    ReplayKeys keys(window, viewer, [&] { signs.showPace(paused, viewer.fast()); });
    window.onPause([&](bool now) {
        paused = now;
        viewer.setPaused(now);
        signs.showPace(paused, viewer.fast());
    });
    // Only the recording plays: the window's keys, menus and timers reach
    // nothing, but a pad's fire button closes the replay once it has ended.
    window.setBehindDoor([&window, &viewer](const GameEvent& event) {
        if (viewer.ended() && event.kind == GameEvent::Kind::KeyDown && event.keyCode == FireKey) window.close();
    });
    viewer.onEnd([&] {
        const QString score = QString::number(playback.form().dblScore, 'f', 0);
        if (playback.fault().isEmpty()) {
            signs.showEnd(QStringLiteral("The replay has ended: score %1\nEscape, Enter or A closes it").arg(score));
        } else {
            complain(QStringLiteral("%1: the replay left the recorded game: %2").arg(path, playback.fault()));
            signs.showEnd(QStringLiteral("The replay left the recorded game here\n(%1)\nEscape, Enter or A closes it")
                              .arg(playback.fault()));
        }
        window.setWindowTitle(title + QStringLiteral(" \u2014 ended"));
    });
    if (!viewer.prepare()) {
        complain(QStringLiteral("%1: %2").arg(path, QLatin1String(Playback::DamagedStart)));
        return 2;
    }
    window.show();
    QTimer::singleShot(0, &viewer, [&viewer] { viewer.play(); });
    return QApplication::exec();
}

int verifyReplayCommand(char* argv[], const QString& path) {
    // The answer is one line.
    const HeadlessApplication app(argv[0]);
    const Verdict verdict = verifyReplayFile(path, QCoreApplication::applicationDirPath());
    if (!verdict.note.isEmpty() && verdict.status != 2) complain(verdict.note);
    if (verdict.status == 2)
        complain(verdict.line);
    else
        std::printf("%s\n", qPrintable(verdict.line));
    return verdict.status;
}
