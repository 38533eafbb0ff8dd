// Replays: a game recorded through the desktop program's recorder plays
// again to the same end, a changed key or a lost answer does not, a new
// Start, Exit and the window closing end a game's recording, the file
// refuses damage of every kind.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

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
    const std::vector<ReplayRecord> records = everyRecord(replay.records);
    return std::any_of(records.begin(), records.end(), [kind](const ReplayRecord& r) { return r.kind == kind; });
}

QString folderOf(ScriptedSession& session) { return session.platform.programDirectory(); }

// Attract display for a while, a menu command if one is given, Start, and a
// swinging player until the window closes: the game must play again.
Replay playedAfter(std::uint32_t seed, std::uint32_t attract, std::uint32_t playing, std::optional<GameEvent> choice) {
    ScriptedSession session(seed);
    session.load();
    session.run(attract);
    if (choice) session.deliver(*choice);
    session.deliver(GameEvent::menuCommand(0, 0));
    Swinger player{session};
    session.run(playing, std::ref(player));
    session.close();
    const Replay replay = session.games().front();
    EXPECT_EQ(verifyReplay(replay, folderOf(session)).status, 0) << "seed " << seed << " after " << attract << " ms";
    return replay;
}

Replay withRecords(Replay replay, const std::vector<ReplayRecord>& records) {
    replay.records = RecordStream();
    for (const ReplayRecord& record : records) replay.records.add(record);
    return replay;
}

}  // namespace

TEST(Replay, ALostGamePlaysAgainToTheSameEndAndAChangedKeyOrALostAnswerDoesNot) {
    ScriptedSession session(20261207);
    lostGame(session);
    ASSERT_EQ(session.form().intGameState, 1) << "the game was not lost";
    const std::vector<Replay> games = session.games();
    ASSERT_EQ(games.size(), 1u);
    const Replay& game = games.front();
    EXPECT_TRUE(game.end.score > 0 && game.end.score == session.form().dblScore);
    EXPECT_TRUE(hasAnswer(game, ReplayRecord::Kind::InputText)) << "the name prompt's answer";
    EXPECT_FALSE(hasAnswer(game, ReplayRecord::Kind::DeviceCount)) << "the load is no part of the game";
    EXPECT_EQ(everyRecord(game.records).front().event, GameEvent::menuCommand(0, 0));

    // Through the file and back, with no dialog opening on the way.
    const int prompts = session.platform.prompts.size();
    const ReplayReading reading = decodeReplay(encodeReplay(game));
    ASSERT_TRUE(reading.replay) << qPrintable(reading.problem);
    const Verdict verdict = verifyReplay(*reading.replay, folderOf(session));
    EXPECT_EQ(verdict.line, QStringLiteral("verified: score %1, wave %2").arg(game.end.score).arg(game.end.wave));
    EXPECT_TRUE(verdict.status == 0 && session.platform.prompts.size() == prompts);

    // The first turn to the left in the game goes right instead.
    std::vector<ReplayRecord> records = everyRecord(game.records);
    const auto left = std::find_if(records.begin() + game.end.startRecord, records.end(),
                                   [](const ReplayRecord& r) { return r.event == GameEvent::keyDown(Left, 0); });
    ASSERT_NE(left, records.end());
    left->event = GameEvent::keyDown(Right, 0);
    const Verdict wrong = verifyReplay(withRecords(game, records), folderOf(session));
    EXPECT_TRUE(wrong.status == 1 && wrong.line.startsWith(QStringLiteral("not verified: "))) << qPrintable(wrong.line);

    records = everyRecord(game.records);
    records.erase(std::remove_if(records.begin(), records.end(),
                                 [](const ReplayRecord& r) { return r.kind == ReplayRecord::Kind::InputText; }),
                  records.end());
    const Verdict unanswered = verifyReplay(withRecords(game, records), folderOf(session));
    EXPECT_TRUE(unanswered.status == 1 && unanswered.line.contains(QStringLiteral("a name")))
        << qPrintable(unanswered.line);
}

// Two games, the first ended by a new Start and the second by Exit, whose
// own record is no part of it; then the file of the first, cut and
// damaged, and the check at the end, which leaves out the texts' pixels
// (another machine draws the captions with other pixels) and nothing else.
TEST(Replay, ANewStartAndExitEachEndAGameAndTheFileRefusesDamage) {
    ScriptedSession session(7);
    session.load();
    session.deliver(GameEvent::menuCommand(0, 0));
    Swinger player{session};
    session.run(4000, std::ref(player));
    session.deliver(GameEvent::menuCommand(0, 0));
    session.run(4000, std::ref(player));
    session.deliver(GameEvent::menuCommand(0, 1));
    ASSERT_EQ(session.platform.exitStatus, 0);

    const std::vector<Replay> games = session.games();
    ASSERT_EQ(games.size(), 2u);
    for (const Replay& game : games) {
        EXPECT_EQ(everyRecord(game.records).front().event, GameEvent::menuCommand(0, 0)) << "each begins at its Start";
        EXPECT_EQ(verifyReplay(game, folderOf(session)).status, 0);
    }
    EXPECT_FALSE(everyRecord(games[1].records).back().event == GameEvent::menuCommand(0, 1));
    EXPECT_EQ(games[1].end.score, session.form().dblScore);

    const QByteArray bytes = encodeReplay(games[0]);
    EXPECT_EQ(decodeReplay(bytes).replay->start.draws, 0u) << "the game's numbers start afresh at its Start";
    for (int size = 0; size < bytes.size(); ++size) {
        const ReplayReading cut = decodeReplay(bytes.left(size));
        ASSERT_FALSE(cut.replay) << "cut to " << size;
        EXPECT_TRUE(size < 14 || cut.problem == QStringLiteral("replay cut short")) << size;
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

// Every setting the menus hold, chosen just before the Start, is one a
// replay's state may hold; the window closing ends the game.
TEST(Replay, AGameOfEverySettingPlaysAgain) {
    for (int menu = 1; menu <= 5; ++menu)
        for (std::size_t item = 0; item < ScriptedSession(1).form().menuBar()[menu]->items().size(); ++item) {
            SCOPED_TRACE(testing::Message() << "menu " << menu << ", item " << item);
            playedAfter(30 + menu, 500, 2000, GameEvent::menuCommand(menu, static_cast<int>(item)));
        }
}

// Kept files, recorded by another build of the game: the first format's
// session from load, and a game after half a minute of attract display
// kept with its state at Start.
TEST(ReplayFile, GamesKeptInEveryFormatStillVerify) {
    ScriptedSession session(1);
    for (const auto& [version, score] : {std::pair(1, 5360), std::pair(2, 6320), std::pair(3, 400)})
        EXPECT_EQ(verifyReplayFile(QStringLiteral(VORLANE_REPLAY_DATA "/version-%1.vorlane-replay").arg(version),
                                   folderOf(session)).line, QStringLiteral("verified: score %1, wave 1").arg(score));
}

TEST(Replay, AGameAfterALongAttractDisplayHoldsOnlyItself) {
    const Replay atOnce = playedAfter(5, 100, 20000, {}), later = playedAfter(5, 10 * 60 * 1000, 20000, {});
    EXPECT_LT(later.records.count(), atOnce.records.count() * 1.2);
    EXPECT_LT(encodeReplay(later).size(), encodeReplay(atOnce).size() * 1.2);
}
