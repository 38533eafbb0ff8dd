// A long unattended run of the attract display: a hundred thousand main
// ticks with the other timers firing at their own intervals and the
// settings changed from the menus now and then. After every handler every
// counter, position and index the game keeps is looked at, so a value that
// wraps, runs off the window or leaves its array shows up at the tick it
// happens. The run must also have seen the world's big events: invaders
// shot, mothership passes, ship hits and the game overs they bring.
#include <algorithm>
#include <chrono>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/GameTest.h"

namespace {

constexpr int Ticks = 100000;
constexpr int TicksPerSetting = 10000;

// One choice in every settings menu, as the player would click them.
struct Settings {
    void (frmVorlane::*bombs)();
    void (frmVorlane::*bombSpeed)();
    void (frmVorlane::*missile)();
    void (frmVorlane::*skill)();
    void (frmVorlane::*speed)();
};

const std::vector<Settings> SettingsRound = {
    {&frmVorlane::mnu10_Click, &frmVorlane::mnuLow_Click, &frmVorlane::mnumis4_Click, &frmVorlane::mnuMedium_Click,
     &frmVorlane::mnuMed_Click},
    {&frmVorlane::mnu30_Click, &frmVorlane::mnuHigh_Click, &frmVorlane::mnumis4_Click, &frmVorlane::mnuHard_Click,
     &frmVorlane::mnuFast_Click},
    {&frmVorlane::mnu1_Click, &frmVorlane::mnuLow_Click, &frmVorlane::mnumis1_Click, &frmVorlane::mnuEasy_Click,
     &frmVorlane::mnuSlow_Click},
    {&frmVorlane::mnu15_Click, &frmVorlane::mnuHigh_Click, &frmVorlane::mnumis2_Click, &frmVorlane::mnuMedium_Click,
     &frmVorlane::mnuFast_Click},
    {&frmVorlane::mnu25_Click, &frmVorlane::mnuLow_Click, &frmVorlane::mnumis3_Click, &frmVorlane::mnuHard_Click,
     &frmVorlane::mnuSlow_Click},
};

const std::vector<int> BombCounts = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20, 25, 30};

// A timer as the host runs it, one millisecond at a time: it fires every
// interval while enabled, and a new interval or a stop and a start begins
// its count afresh.
struct Clock {
    Timer& timer;
    void (frmVorlane::*handler)();
    int elapsed = 0;

    Clock(Timer& timer, void (frmVorlane::*handler)()) : timer(timer), handler(handler) {
        timer.onChange([this] { elapsed = 0; });
    }
    Clock(const Clock&) = delete;

    bool fires() {
        if (!timer.enabled() || ++elapsed < timer.interval()) return false;
        elapsed = 0;
        return true;
    }
};

// Notes a value outside low..high; an index names the array element.
void within(std::ostringstream& out, const char* name, double value, double low, double high, int index = 0) {
    if (value >= low && value <= high) return;
    out << name;
    if (index > 0) out << '(' << index << ')';
    out << " = " << value << " outside " << low << ".." << high << '\n';
}

class Soak : public GameTest {
protected:
    // Everything out of its range, one line each; empty when all is well.
    std::string outOfRange() const;

    // A game over shows "GAME OVER" during its pauses.
    bool gameOverShown = false;
    int gameOvers = 0;
    // A game over resets the mothership's bob to downwards wherever it
    // stands, so each one during a pass may carry it up to 7 further.
    int gameOversThisPass = 0;
};

std::string Soak::outOfRange() const {
    const frmVorlane& f = *form;
    std::ostringstream out;
    within(out, "intGameState", f.intGameState, 1, 1);
    within(out, "dblScore", f.dblScore, 0, 0);
    within(out, "intLives", f.intLives, 0, 2);
    within(out, "intRating", f.intRating, 0, 0);
    within(out, "intWave", f.intWave, 1, 32767);
    within(out, "intKills", f.intKills, 0, 30);

    within(out, "intShipX", f.intShipX, 0, 591);
    within(out, "intShipY", f.intShipY, 400, 400);
    within(out, "intShipDir", f.intShipDir, 0, 0);
    within(out, "Image36.left", f.Image36.left(), 0, 590);
    within(out, "intMissileX", f.intMissileX, 0, 605);
    if (f.blnMissile) within(out, "intMissileY", f.intMissileY, 90, 412);

    within(out, "intMotherX", f.intMotherX, -100, 653);
    if (f.blnMotherActive)
        within(out, "intMotherY", f.intMotherY, 63 - 7 * gameOversThisPass, 77 + 7 * gameOversThisPass);
    within(out, "intMotherDY", f.intMotherDY * f.intMotherDY, 1, 1);
    within(out, "intMotherBob", f.intMotherBob, 0, 7);
    within(out, "intBonusTicks", f.intBonusTicks, 0, 20);
    within(out, "intBonusFactor", f.intBonusFactor, 0, 40);

    within(out, "intLowestInv", f.intLowestInv, 0, 30);
    within(out, "intInvasionLevel", f.intInvasionLevel, 0, 2);
    within(out, "intNote", f.intNote, 0, 4);
    within(out, "sngStepX", f.sngStepX, -15, 15);
    within(out, "Timer1.interval", f.Timer1.interval(), 50, 1000);
    within(out, "Timer2.interval", f.Timer2.interval(), 25, 25);

    within(out, "intI", f.intI, 0, 31);
    within(out, "intJ", f.intJ, 0, 10001);
    within(out, "intK", f.intK, 0, 31);
    within(out, "intStarY", f.intStarY, 0, 230);
    within(out, "intStarStep", f.intStarStep, 0, 150);
    within(out, "intDemoMove", f.intDemoMove, 0, 2);
    within(out, "intDemoCount", f.intDemoCount, 0, 20);

    if (std::find(BombCounts.begin(), BombCounts.end(), f.intBombCount) == BombCounts.end())
        out << "intBombCount = " << f.intBombCount << " is not a Bombs setting\n";
    for (int i = 1; i <= 30; ++i) {
        if (f.arrBombX[i] != 0) {
            within(out, "arrBombX", f.arrBombX[i], 0, Surface::Width - 1, i);
            within(out, "arrBombY", f.arrBombY[i], 0, 450, i);
            within(out, "arrBombSpeed", f.arrBombSpeed[i], 1, 40, i);
        }
        if (!f.arrInvDead[i]) {
            within(out, "arrInvX", f.arrInvX[i], -15, Surface::Width, i);
            within(out, "arrInvY", f.arrInvY[i], 0, 400, i);
        }
    }
    return out.str();
}

}  // namespace

TEST_F(Soak, AttractDisplayRunsAHundredThousandTicksWithEveryValueInRange) {
    load();
    ASSERT_EQ(form->intGameState, 1);
    Clock beat(form->Timer1, &frmVorlane::Timer1_Timer);
    Clock main(form->Timer2, &frmVorlane::Timer2_Timer);
    Clock status(form->Timer3, &frmVorlane::Timer3_Timer);
    Clock star(form->Timer4, &frmVorlane::Timer4_Timer);
    Clock demo(form->Timer6, &frmVorlane::Timer6_Timer);
    platform.duringHold = [this] { gameOverShown = gameOverShown || form->lblGameOver.visible(); };

    const auto began = std::chrono::steady_clock::now();
    for (int tick = 0; tick < Ticks;) {
        for (Clock* clock : {&beat, &status, &star, &demo}) {
            if (!clock->fires()) continue;
            (form.get()->*clock->handler)();
            ASSERT_EQ(outOfRange(), "") << "after another timer, before main tick " << tick + 1;
        }
        if (!main.fires()) continue;

        if (tick % TicksPerSetting == 0) {
            const Settings& s = SettingsRound[(tick / TicksPerSetting) % SettingsRound.size()];
            for (auto click : {s.bombs, s.bombSpeed, s.missile, s.skill, s.speed}) (form.get()->*click)();
        }
        const bool crossing = form->blnMotherActive;
        gameOverShown = false;
        form->Timer2_Timer();
        ++tick;
        if (gameOverShown) ++gameOvers;
        if (!crossing && form->blnMotherActive)
            gameOversThisPass = 0;
        else if (gameOverShown)
            ++gameOversThisPass;
        ASSERT_EQ(outOfRange(), "") << "after main tick " << tick;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();

    const int kills = platform.played.count(QStringLiteral("invader.wav"));
    const int passes = platform.played.count(QStringLiteral("mother.wav"));
    const int shipHits = platform.played.count(QStringLiteral("Smallexp.wav"));
    std::cout << "[   SOAK   ] " << Ticks << " main ticks in " << seconds << " s: " << kills << " invaders shot, "
              << passes << " mothership passes, " << gameOvers << " game overs (" << shipHits << " ship hits, "
              << gameOvers - shipHits << " invasions)\n";
    EXPECT_GT(kills, 100);
    EXPECT_GT(passes, 100);
    EXPECT_GT(gameOvers, 50);
    // No lives between games: every ship hit ends one, and so does an invasion.
    EXPECT_GE(gameOvers, shipHits);
    EXPECT_TRUE(platform.prompts.isEmpty());
    EXPECT_TRUE(form->Timer6.enabled());
}
