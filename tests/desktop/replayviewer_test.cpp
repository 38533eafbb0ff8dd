// The replay's clock in the window: a recording played four times as fast
// comes to its end, and one that goes on with answers nobody asked for
// stops there, says where, and never waits less than nothing.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>

#include "desktop/replays/ReplayViewer.h"
#include "tests/support/ScriptedSession.h"

TEST(ReplayViewer, AnswersLeftAtTheEndStopTheReplayThereAndSaySo) {
    ScriptedSession session(12);
    session.playAfterStart(3000);
    session.close();
    Replay replay = session.games().front();
    ReplayRecord closed;
    closed.kind = ReplayRecord::Kind::MessageClosed;
    replay.records.add(closed);
    replay.records.add(closed);

    Playback playback(replay, session.platform.programDirectory());
    int shown = 0;
    ReplayViewer viewer(playback, replay.end.startRecord, [&shown] { ++shown; });
    QEventLoop loop;
    bool ended = false;
    viewer.onEnd([&] {
        ended = true;
        loop.quit();
    });
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    viewer.prepare();
    viewer.play();
    viewer.setFast(true);
    loop.exec();

    ASSERT_TRUE(ended) << "the replay never came to its end";
    EXPECT_TRUE(viewer.ended());
    EXPECT_GT(shown, 100);
    EXPECT_TRUE(playback.fault().startsWith(QStringLiteral("the recording answers a question the game did not ask")))
        << qPrintable(playback.fault());
    EXPECT_GT(playback.form().dblScore, 0) << "the game itself was played";
}
