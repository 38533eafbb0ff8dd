// Replays a stranger could make: a game's state at Start that the game
// could never hold, packed bytes that are no state, a count of random
// numbers that would take days to go through. Each is a damaged replay,
// told in one line with status 2, and nothing of it is played.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "replay/format.h"
#include "replay/gamestate.h"
#include "replay/playback.h"
#include "replay/verify.h"
#include "tests/support/ScriptedSession.h"

namespace {

struct Crafted : ::testing::Test {
    Crafted() {
        session.playAfterStart(2000);
        session.close();
        game = session.games().front();
    }

    // The game with its state at Start changed as the stranger likes.
    Replay withStart(const std::function<void(frmVorlane&)>& change) {
        Playback playback(game, session.platform.programDirectory());
        EXPECT_TRUE(playback.load());
        change(playback.form());
        Replay crafted = game;
        crafted.start.state = packGameState(saveGameState(playback.form()));
        return crafted;
    }
    Verdict verify(const Replay& replay) { return verifyReplay(replay, session.platform.programDirectory()); }

    ScriptedSession session{17};
    Replay game;
};

TEST_F(Crafted, AStateTheGameCouldNeverHoldIsADamagedReplay) {
    ASSERT_EQ(verify(withStart([](frmVorlane&) {})).status, 0) << "the state as it was taken plays";

    const std::pair<const char*, std::function<void(frmVorlane&)>> strangers[] = {
        {"40 bombs in 31 slots", [](frmVorlane& f) { f.intBombCount = 40; }},
        {"a negative count of bombs", [](frmVorlane& f) { f.intBombCount = -1; }},
        {"a rating past the table at the next game over", [](frmVorlane& f) { f.intRating = 5; }},
        {"a note past the beat's four", [](frmVorlane& f) { f.intNote = 9; }},
        {"a main tick of minus 5 ms", [](frmVorlane& f) { f.Timer2.setInterval(-5); }},
        {"a beat of no time", [](frmVorlane& f) { f.Timer1.setInterval(0); }},
        {"an invader at no place", [](frmVorlane& f) { f.arrInvX[3] = std::nanf(""); }},
        {"a bomb a world away", [](frmVorlane& f) { f.arrBombY[2] = 1e30f; }},
        {"an endless score", [](frmVorlane& f) { f.dblScore = INFINITY; }},
        {"wave 0", [](frmVorlane& f) { f.intWave = 0; }},
        {"a ship picture larger than any picture file",
         [](frmVorlane& f) { f.Image36.setPicture(QImage(2000, 4, QImage::Format_RGB32)); }},
        {"a caption of a book", [](frmVorlane& f) { f.Label5.setCaption(QString(5000, QLatin1Char('x'))); }},
        {"the mothership past its path", [](frmVorlane& f) { f.intMotherX = 30000; }},
        {"a control far off the play area", [](frmVorlane& f) { f.lblbonus.move(1e6, 0); }},
    };
    for (const auto& [what, change] : strangers) {
        const Verdict verdict = verify(withStart(change));
        EXPECT_TRUE(verdict.status == 2 && verdict.line == QString::fromLatin1(Playback::DamagedStart)) << what;
    }
}

// The wave of a crafted end is reported as the file holds it, however large.
TEST_F(Crafted, PackedBytesThatAreNoStateAndCountsBeyondADayAreDamagedAndNumbersAreReportedAsHeld) {
    const QByteArray packed = game.start.state;
    QByteArray garbled = packed;
    for (int at = 8; at < garbled.size(); at += 5) garbled[at] = static_cast<char>(garbled[at] ^ 0x5A);
    QByteArray claimsFourGigabytes = packed;
    claimsFourGigabytes[0] = static_cast<char>(0xFF);
    const QByteArray cutShort = packed.left(packed.size() / 2);
    QByteArray longerThanSaid = packGameState(unpackGameState(packed).value() + QByteArray("more"));
    longerThanSaid.replace(0, 4, packed.left(4));
    for (const QByteArray& state : {garbled, claimsFourGigabytes, cutShort, longerThanSaid}) {
        Replay crafted = game;
        crafted.start.state = state;
        EXPECT_EQ(verify(crafted).status, 2);
    }

    for (const std::uint64_t draws : {MostDrawsBeforeStart + 1, std::uint64_t(1) << 60}) {
        Replay crafted = game;
        crafted.start.draws = draws;
        const ReplayReading reading = decodeReplay(encodeReplay(crafted));
        EXPECT_FALSE(reading.replay) << draws;
        EXPECT_TRUE(reading.problem.startsWith(QStringLiteral("damaged replay"))) << qPrintable(reading.problem);
    }
    Replay crafted = game;
    crafted.end.wave = INT64_MAX;
    const Verdict verdict = verify(*decodeReplay(encodeReplay(crafted)).replay);
    EXPECT_EQ(verdict.status, 1);
    EXPECT_TRUE(verdict.line.endsWith(QStringLiteral("wave 9223372036854775807"))) << qPrintable(verdict.line);
}

}  // namespace
