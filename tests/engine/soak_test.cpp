// A long unattended run of the attract display: a hundred thousand main
// ticks with the other timers firing at their own intervals and the
// settings changed from the menus now and then. After every handler every
// counter, position and index the game keeps is looked at, so a value that
// wraps, runs off the window or leaves its array shows up at the tick it
// happens. The run must also have seen the world's big events: invaders
// shot, mothership passes, ship hits and the game overs they bring.
#include <sstream>
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

// A timer as the host runs it, one millisecond at a time: it fires every
// interval while enabled, and a new interval or a stop and a start begins
// its count afresh.
struct Clock {
    Timer& timer;
    Handler handler;
    int elapsed = 0;
    bool fires() { return timer.enabled() && ++elapsed % timer.interval() == 0; }
};

// A value with its lowest and highest, named by the expression that reads it.
#define RANGE(value, low, high) {#value, double(value), double(low), double(high)}

// Everything out of its range, one line each; empty when all is well. A game
// over resets the mothership's bob to downwards wherever it stands, so each
// one during a pass may carry it up to 7 further: bob is how far in all.
std::string outOfRange(const F& f, int bob) {
    std::vector<std::tuple<const char*, double, double, double>> ranges = {
        RANGE(f.intGameState, 1, 1), RANGE(f.dblScore, 0, 0), RANGE(f.intLives, 0, 2), RANGE(f.intWave, 1, 32767),
        RANGE(f.intKills, 0, 30), RANGE(f.intShipX, 0, 591), RANGE(f.Image36.left(), 0, 590), RANGE(f.intK, 0, 31),
        RANGE(f.intShipY, 400, 400), RANGE(f.intMissileX, 0, 605), RANGE(f.blnMissile ? f.intMissileY : 90, 90, 412),
        RANGE(f.intMotherX, -100, 653), RANGE(f.blnMotherActive ? f.intMotherY : 70, 63 - bob, 77 + bob),
        RANGE(f.intMotherDY * f.intMotherDY, 1, 1), RANGE(f.intMotherBob, 0, 7), RANGE(f.intBonusTicks, 0, 20),
        RANGE(f.intBonusFactor, 0, 40), RANGE(f.intLowestInv, 0, 30), RANGE(f.intInvasionLevel, 0, 2),
        RANGE(f.intNote, 0, 4), RANGE(f.sngStepX, -15, 15), RANGE(f.intStarY, 0, 230), RANGE(f.intStarStep, 0, 150),
        RANGE(f.Timer1.interval(), 50, 1000), RANGE(f.intDemoMove, 0, 2), RANGE(f.intDemoCount, 0, 20),
        RANGE(f.intI, 0, 31), RANGE(f.intJ, 0, 10001), RANGE(f.intBombCount, 1, 30)};
    for (int i = 1; i <= 30; ++i) {
        if (f.arrBombX[i] != 0)
            ranges.insert(ranges.end(), {RANGE(f.arrBombX[i], 0, Surface::Width - 1), RANGE(f.arrBombY[i], 0, 450),
                                         RANGE(f.arrBombSpeed[i], 1, 40)});
        if (!f.arrInvDead[i])
            ranges.insert(ranges.end(), {RANGE(f.arrInvX[i], -15, Surface::Width), RANGE(f.arrInvY[i], 0, 400)});
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
    Clock clocks[] = {{f.Timer1, &F::Timer1_Timer}, {f.Timer3, &F::Timer3_Timer}, {f.Timer4, &F::Timer4_Timer},
                      {f.Timer6, &F::Timer6_Timer}, {f.Timer2, &F::Timer2_Timer}};  // the main tick last
    for (Clock& clock : clocks) clock.timer.onChange([&clock] { clock.elapsed = 0; });
    int passStart = 0;  // game overs when the mothership's pass began; each presents "GAME OVER" once

    // Each millisecond the timers due fire, the main tick last.
    for (int tick = 0; tick < Ticks;)
        for (Clock& clock : clocks) {
            if (!clock.fires()) continue;
            const bool mainTick = &clock == &clocks[4], crossing = f.blnMotherActive;
            if (mainTick && tick % TicksPerSetting == 0)
                for (auto click : SettingsRound[tick / TicksPerSetting % SettingsRound.size()]) (f.*click)();
            (f.*clock.handler)();
            tick += mainTick;
            if (!crossing && f.blnMotherActive) passStart = platform.presents;
            ASSERT_EQ(outOfRange(f, 7 * (platform.presents - passStart)), "")
                << (mainTick ? "after main tick " : "before main tick ") << tick + !mainTick;
        }

    EXPECT_GT(platform.played.count("invader.wav"), 100) << "invaders shot";
    EXPECT_GT(platform.played.count("mother.wav"), 100) << "mothership passes";
    EXPECT_GT(platform.presents, 50) << "game overs";
    EXPECT_GE(platform.presents, platform.played.count("Smallexp.wav")) << "every ship hit ends a game";
    EXPECT_TRUE(platform.prompts.isEmpty() && f.Timer6.enabled());
}
