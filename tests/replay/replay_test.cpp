// Replays: a game recorded through the desktop program's recorder plays
// again to the same end, a changed key does not, a new Start and the
// window closing end a game's recording, the file refuses damage of every
// kind.
#include <gtest/gtest.h>

#include <algorithm>

#include "replay/digest.h"
#include "replay/format.h"
#include "replay/gamestate.h"
#include "replay/playback.h"
#include "replay/verify.h"
#include "tests/support/ScriptedSession.h"

namespace {

constexpr int Left = 37, Right = 39;

// Attract display for a while, fast bombs, Start, and a game played until
// it is lost; the player's name is asked at its end.
ScriptedSession& lostGame(ScriptedSession& session) {
    session.platform.answers = {QStringLiteral("Ace")};
    session.load();
    session.run(3000);
    session.deliver(GameEvent::menuCommand(4, 1));
    session.deliver(GameEvent::menuCommand(0, 0));
    Swinger player{session};
    session.playUntilOver(300000, std::ref(player));
    return session;
}

bool hasAnswer(const Replay& replay, ReplayRecord::Kind kind) {
    for (const ReplayRecord& record : everyRecord(replay.records))
        if (record.kind == kind) return true;
    return false;
}

QString folderOf(ScriptedSession& session) { return session.platform.programDirectory(); }

Replay withRecords(Replay replay, const std::vector<ReplayRecord>& records) {
    replay.records = RecordStream();
    for (const ReplayRecord& record : records) replay.records.add(record);
    return replay;
}

}  // namespace

TEST(Replay, ALostGamePlaysAgainToTheSameEndAndAChangedKeyDoesNot) {
    ScriptedSession session(20261207);
    lostGame(session);
    ASSERT_EQ(session.form().intGameState, 1) << "the game was not lost";
    const std::vector<Replay> games = session.games();
    ASSERT_EQ(games.size(), 1u);
    const Replay& game = games.front();
    EXPECT_GT(game.end.score, 0);
    EXPECT_EQ(game.end.score, session.form().dblScore);
    EXPECT_TRUE(hasAnswer(game, ReplayRecord::Kind::InputText)) << "the name prompt's answer";
    EXPECT_FALSE(hasAnswer(game, ReplayRecord::Kind::DeviceCount)) << "the load is no part of the game";
    EXPECT_EQ(everyRecord(game.records).front().event, GameEvent::menuCommand(0, 0));

    // Through the file and back, with no dialog opening on the way.
    const int prompts = session.platform.prompts.size();
    const ReplayReading reading = decodeReplay(encodeReplay(game));
    ASSERT_TRUE(reading.replay) << qPrintable(reading.problem);
    const Verdict verdict = verifyReplay(*reading.replay, folderOf(session));
    EXPECT_EQ(verdict.status, 0);
    EXPECT_EQ(verdict.line, QStringLiteral("verified: score %1, wave %2").arg(game.end.score).arg(game.end.wave));
    EXPECT_EQ(session.platform.prompts.size(), prompts);

    // The first turn to the left in the game goes right instead.
    std::vector<ReplayRecord> records = everyRecord(game.records);
    for (std::size_t i = game.end.startRecord; i < records.size(); ++i) {
        GameEvent& event = records[i].event;
        if (event == GameEvent::keyDown(Left, 0)) {
            event = GameEvent::keyDown(Right, 0);
            break;
        }
    }
    const Replay changed = withRecords(game, records);
    const Verdict wrong = verifyReplay(changed, folderOf(session));
    EXPECT_EQ(wrong.status, 1);
    EXPECT_TRUE(wrong.line.startsWith(QStringLiteral("not verified: "))) << qPrintable(wrong.line);
}

TEST(Replay, ANewStartAndTheWindowClosingEachEndAGame) {
    ScriptedSession session(7);
    session.load();
    session.deliver(GameEvent::menuCommand(0, 0));
    Swinger player{session};
    session.run(4000, std::ref(player));
    session.deliver(GameEvent::menuCommand(0, 0));
    session.run(4000, std::ref(player));
    session.close();

    const std::vector<Replay> games = session.games();
    ASSERT_EQ(games.size(), 2u);
    const Replay& first = games[0];
    const Replay& second = games[1];
    for (const Replay& game : games) {
        EXPECT_EQ(everyRecord(game.records).front().event, GameEvent::menuCommand(0, 0)) << "each game begins at its Start";
        EXPECT_LT(game.records.count(), first.records.count() + second.records.count());
    }
    EXPECT_EQ(second.end.score, session.form().dblScore);
    for (const Replay& game : games) EXPECT_EQ(verifyReplay(game, folderOf(session)).status, 0);
}

// Every setting the menus hold, chosen just before the Start, is one a
// replay's state may hold.
TEST(Replay, AGameOfEverySettingPlaysAgain) {
    for (int menu = 1; menu <= 5; ++menu)
        for (std::size_t item = 0; item < ScriptedSession(1).form().menuBar()[menu]->items().size(); ++item) {
            ScriptedSession session(30 + menu);
            session.load();
            session.run(500);
            session.deliver(GameEvent::menuCommand(menu, static_cast<int>(item)));
            session.deliver(GameEvent::menuCommand(0, 0));
            Swinger player{session};
            session.run(2000, std::ref(player));
            session.close();
            EXPECT_EQ(verifyReplay(session.games().front(), folderOf(session)).status, 0) << menu << ", " << item;
        }
}

TEST(Replay, ExitKeepsTheGameInPlayWithoutTheExitItself) {
    ScriptedSession session(8);
    session.playAfterStart(3000);
    session.deliver(GameEvent::menuCommand(0, 1));
    ASSERT_EQ(session.platform.exitStatus, 0);

    const std::vector<Replay> games = session.games();
    ASSERT_EQ(games.size(), 1u);
    EXPECT_FALSE(everyRecord(games[0].records).back().event == GameEvent::menuCommand(0, 1));
    EXPECT_EQ(verifyReplay(games[0], folderOf(session)).status, 0);
}

TEST(Replay, AnAnswerMissingFromTheRecordingIsAFault) {
    ScriptedSession session(3);
    lostGame(session);
    const Replay game = session.games().front();
    std::vector<ReplayRecord> records = everyRecord(game.records);
    records.erase(std::remove_if(records.begin(), records.end(),
                                 [](const ReplayRecord& r) { return r.kind == ReplayRecord::Kind::InputText; }),
                  records.end());
    const Verdict verdict = verifyReplay(withRecords(game, records), folderOf(session));
    EXPECT_EQ(verdict.status, 1);
    EXPECT_TRUE(verdict.line.contains(QStringLiteral("a name"))) << qPrintable(verdict.line);
}

TEST(ReplayFile, RefusesEveryCutADamagedByteAnotherVersionAndOtherFiles) {
    ScriptedSession session(11);
    session.load();
    session.deliver(GameEvent::menuCommand(0, 0));
    session.run(1000);
    session.close();
    const Replay game = session.games().front();
    const QByteArray bytes = encodeReplay(game);

    const ReplayReading whole = decodeReplay(bytes);
    ASSERT_TRUE(whole.replay);
    EXPECT_EQ(whole.replay->records.count(), game.records.count());
    EXPECT_EQ(whole.replay->start.draws, 0u) << "the game's numbers start afresh at its Start";

    for (int size = 0; size < bytes.size(); ++size) {
        const ReplayReading cut = decodeReplay(bytes.left(size));
        ASSERT_FALSE(cut.replay) << "cut to " << size;
        if (size >= 14) {
            EXPECT_EQ(cut.problem, QStringLiteral("replay cut short"));
        }
    }
    for (int at = 14; at < bytes.size(); at += 7) {
        QByteArray damaged = bytes;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x40);
        const ReplayReading reading = decodeReplay(damaged);
        ASSERT_FALSE(reading.replay) << "byte " << at;
        EXPECT_TRUE(reading.problem.startsWith(QStringLiteral("damaged replay"))) << qPrintable(reading.problem);
    }
    QByteArray later = bytes;
    later[8] = 4;
    EXPECT_TRUE(decodeReplay(later).problem.contains(QStringLiteral("another format version")));
    EXPECT_EQ(decodeReplay(QByteArray("HS\x14" "Ace")).problem, QStringLiteral("not a replay"));
}

// Kept files, recorded by another build of the game: the first format's
// session from load, and a game after half a minute of attract display
// kept with its state at Start.
TEST(ReplayFile, GamesKeptInEveryFormatStillVerify) {
    ScriptedSession session(1);
    const auto verdict = [&](const char* name) {
        return verifyReplayFile(QStringLiteral(VORLANE_REPLAY_DATA "/%1").arg(QLatin1String(name)), folderOf(session));
    };
    EXPECT_EQ(verdict("version-1.vorlane-replay").line, QStringLiteral("verified: score 5360, wave 1"));
    EXPECT_EQ(verdict("version-2.vorlane-replay").line, QStringLiteral("verified: score 6320, wave 1"));
    EXPECT_EQ(verdict("version-3.vorlane-replay").line, QStringLiteral("verified: score 400, wave 1"));
}

// Another machine draws the captions with other pixels; the check at a
// replay's end sees the captions, the fields and every other pixel.
TEST(Replay, TheCheckAtTheEndLeavesOutTheTextsPixelsAndNothingElse) {
    ScriptedSession session(12);
    session.playAfterStart(3000);
    frmVorlane& form = session.form();
    const auto check = [&form] { return stateDigest(saveGameStateWithoutText(form)); };
    const QByteArray here = check();

    const QImage crisp = form.surface.image().copy();
    for (Label* label : form.labels()) {
        label->setSmooth(true);
        label->refresh();
    }
    ASSERT_NE(form.surface.image(), crisp) << "smooth text changes the pixels";
    EXPECT_EQ(check(), here);

    const QString score = form.Label3.caption();
    form.Label3.setCaption(score + QLatin1Char('0'));
    EXPECT_NE(check(), here);
    form.Label3.setCaption(score);
    ASSERT_EQ(check(), here);
    form.surface.pset(300, 300, RGB(255, 255, 0));
    EXPECT_NE(check(), here);
}

TEST(Replay, AGameAfterALongAttractDisplayHoldsOnlyItself) {
    const auto game = [](std::uint32_t attract) {
        ScriptedSession session(5);
        session.load();
        session.run(attract);
        session.deliver(GameEvent::menuCommand(0, 0));
        Swinger player{session};
        session.run(20000, std::ref(player));
        session.close();
        const Replay replay = session.games().front();
        EXPECT_EQ(verifyReplay(replay, folderOf(session)).status, 0) << "after " << attract << " ms of attract display";
        return replay;
    };
    const Replay atOnce = game(100);
    const Replay later = game(10 * 60 * 1000);
    const auto size = [](const Replay& replay) { return double(encodeReplay(replay).size()); };
    EXPECT_LT(later.records.count(), atOnce.records.count() * 1.2);
    EXPECT_LT(size(later), size(atOnce) * 1.2);
}
