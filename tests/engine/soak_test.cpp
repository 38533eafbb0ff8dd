// A long unattended run of the attract display: a hundred thousand main
// ticks with the other timers firing at their own intervals and the
// settings changed from the menus now and then. After every handler every
// counter, position and index the game keeps is looked at, so a value that
// wraps, runs off the window or leaves its array shows up at the tick it
// happens. The run must also have seen the world's big events: invaders
// shot, mothership passes, ship hits and the game overs they bring.
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/GameTest.h"

namespace {

using F = frmVorlane;
using Handler = void (F::*)();
using Soak = GameTest;

constexpr int Ticks = 100000, TicksPerSetting = 10000;

// One choice in each of Bombs, Bomb Speed, Missile, Skill and Speed, as the player would click them.
const std::vector<std::vector<Handler>> SettingsRound = {
    {&F::mnu10_Click, &F::mnuLow_Click, &F::mnumis4_Click, &F::mnuMedium_Click, &F::mnuMed_Click},
    {&F::mnu30_Click, &F::mnuHigh_Click, &F::mnumis4_Click, &F::mnuHard_Click, &F::mnuFast_Click},
    {&F::mnu1_Click, &F::mnuLow_Click, &F::mnumis1_Click, &F::mnuEasy_Click, &F::mnuSlow_Click},
    {&F::mnu15_Click, &F::mnuHigh_Click, &F::mnumis2_Click, &F::mnuMedium_Click, &F::mnuFast_Click},
    {&F::mnu25_Click, &F::mnuLow_Click, &F::mnumis3_Click, &F::mnuHard_Click, &F::mnuSlow_Click},
};
const QList<int> BombCounts = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20, 25, 30};

// A timer as the host runs it, one millisecond at a time: it fires every
// interval while enabled, and a new interval or a stop and a start begins
// its count afresh.
struct Clock {
    Timer& timer;
    Handler handler;
    int elapsed = 0;
    Clock(Timer& timer, Handler handler) : timer(timer), handler(handler) { timer.onChange([this] { elapsed = 0; }); }
    bool fires() { return timer.enabled() && ++elapsed % timer.interval() == 0; }
};

// Everything out of its range, one line each; empty when all is well. A game
// over resets the mothership's bob to downwards wherever it stands, so each
// one during a pass may carry it up to 7 further: bob is how far in all.
std::string outOfRange(const F& f, int bob) {
    // Name, value, lowest and highest.
    std::vector<std::tuple<const char*, double, double, double>> ranges = {
        {"intGameState", f.intGameState, 1, 1}, {"dblScore", f.dblScore, 0, 0}, {"intLives", f.intLives, 0, 2},
        {"intRating", f.intRating, 0, 0}, {"intWave", f.intWave, 1, 32767}, {"intKills", f.intKills, 0, 30},
        {"intBombCount in Bombs", BombCounts.contains(f.intBombCount), 1, 1}, {"intShipX", f.intShipX, 0, 591},
        {"intShipY", f.intShipY, 400, 400}, {"intShipDir", f.intShipDir, 0, 0},
        {"Image36.left", f.Image36.left(), 0, 590}, {"intMissileX", f.intMissileX, 0, 605},
        {"intMissileY", f.blnMissile ? f.intMissileY : 90.0, 90, 412}, {"intMotherX", f.intMotherX, -100, 653},
        {"intMotherY", f.blnMotherActive ? f.intMotherY : 70.0, 63.0 - bob, 77.0 + bob},
        {"intMotherDY", f.intMotherDY * f.intMotherDY, 1, 1}, {"intMotherBob", f.intMotherBob, 0, 7},
        {"intBonusTicks", f.intBonusTicks, 0, 20}, {"intBonusFactor", f.intBonusFactor, 0, 40},
        {"intLowestInv", f.intLowestInv, 0, 30}, {"intInvasionLevel", f.intInvasionLevel, 0, 2},
        {"intNote", f.intNote, 0, 4}, {"sngStepX", f.sngStepX, -15, 15}, {"intStarY", f.intStarY, 0, 230},
        {"Timer1.interval", f.Timer1.interval(), 50, 1000}, {"Timer2.interval", f.Timer2.interval(), 25, 25},
        {"intStarStep", f.intStarStep, 0, 150}, {"intDemoMove", f.intDemoMove, 0, 2},
        {"intDemoCount", f.intDemoCount, 0, 20}, {"intI", f.intI, 0, 31}, {"intJ", f.intJ, 0, 10001},
        {"intK", f.intK, 0, 31}};
    for (int i = 1; i <= 30; ++i) {
        if (f.arrBombX[i] != 0)
            ranges.insert(ranges.end(), {{"arrBombX", f.arrBombX[i], 0, Surface::Width - 1},
                                         {"arrBombY", f.arrBombY[i], 0, 450},
                                         {"arrBombSpeed", f.arrBombSpeed[i], 1, 40}});
        if (!f.arrInvDead[i])
            ranges.insert(ranges.end(),
                          {{"arrInvX", f.arrInvX[i], -15, Surface::Width}, {"arrInvY", f.arrInvY[i], 0, 400}});
    }
    std::ostringstream out;
    for (const auto& [name, value, low, high] : ranges)
        if (value < low || value > high) out << name << " = " << value << " outside " << low << ".." << high << '\n';
    return out.str();
}

}  // namespace

TEST_F(Soak, AttractDisplayRunsAHundredThousandTicksWithEveryValueInRange) {
    load();
    F& f = *form;
    Clock beat(f.Timer1, &F::Timer1_Timer), status(f.Timer3, &F::Timer3_Timer), star(f.Timer4, &F::Timer4_Timer);
    Clock demo(f.Timer6, &F::Timer6_Timer), main(f.Timer2, &F::Timer2_Timer);
    int gameOvers = 0, gameOversThisPass = 0, gameOverShown = 0;
    platform.duringHold = [&] { gameOverShown |= f.lblGameOver.visible(); };  // shown during a game over's pauses

    // Each millisecond the timers due fire, the main tick last.
    for (int tick = 0; tick < Ticks;)
        for (Clock* clock : {&beat, &status, &star, &demo, &main}) {
            if (!clock->fires()) continue;
            const bool mainTick = clock == &main, crossing = f.blnMotherActive;
            if (mainTick && tick % TicksPerSetting == 0)
                for (auto click : SettingsRound[tick / TicksPerSetting % SettingsRound.size()]) (f.*click)();
            gameOverShown = 0;
            (f.*clock->handler)();
            tick += mainTick;
            gameOvers += gameOverShown;
            gameOversThisPass = !crossing && f.blnMotherActive ? 0 : gameOversThisPass + gameOverShown;
            ASSERT_EQ(outOfRange(f, 7 * gameOversThisPass), "")
                << (mainTick ? "after main tick " : "before main tick ") << tick + !mainTick;
        }

    EXPECT_GT(platform.played.count("invader.wav"), 100) << "invaders shot";
    EXPECT_GT(platform.played.count("mother.wav"), 100) << "mothership passes";
    EXPECT_GT(gameOvers, 50);
    EXPECT_GE(gameOvers, platform.played.count("Smallexp.wav")) << "no lives between games: every ship hit ends one";
    EXPECT_TRUE(platform.prompts.isEmpty());
    EXPECT_TRUE(f.Timer6.enabled());
}
