// The eleven sounds of the game, each synthesised from a handful of
// numbers: the opening jingle, the missile's zap, the four bass notes of
// the march, the mothership's siren, the explosions of a shot bomb, an
// invader and the player's ship, and the high-score fanfare.
#include "synth.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;

// Note names as semitones from A4.
constexpr int G2 = -26, A2 = -24, C3 = -21, E3 = -17, A3 = -12, C4 = -9, E4 = -5, G4 = -2,
              A4 = 0, C5 = 3, E5 = 7, G5 = 10, A5 = 12;

Note note(int semitones, double seconds) { return {pitch(semitones), seconds}; }

// A rising A-minor arpeggio over a walking bass, ending on a held top note.
Sound openingJingle()
{
    auto lead = playTune({note(A3, 0.12), note(C4, 0.12), note(E4, 0.12), note(A4, 0.12),
                          note(C5, 0.12), note(E5, 0.12), note(A5, 0.78)},
                         Wave::ThinSquare);
    const auto bass = playTune({note(A2, 0.24), note(C3, 0.24), note(E3, 0.24), note(A2, 0.78)},
                               Wave::Triangle);
    mixInto(lead, bass, 0.8);
    return {"Sheet.wav", finish(lead, 0.7)};
}

// A square wave diving from a high pitch, with a hiss on the attack.
Sound missileZap()
{
    Oscillator osc;
    Noise noise(0x5eed01);
    LowPass hiss;
    return {"Fire.wav", finish(render(0.2, [&](double t) {
                const double f = 150 + 1650 * std::exp(-t / 0.05);
                const double tone = squareWave(osc.step(f), 0.5) * strike(t, 0.002, 0.07);
                const double air = hiss.step(noise.next(), 5000) * strike(t, 0.001, 0.02);
                return 0.8 * tone + 0.5 * air;
            }), 0.6)};
}

// One low square note of the march, softened by a filter, with a thump
// of pitch at the start and a quick decay.
Sound marchNote(const char* fileName, double frequency)
{
    Oscillator osc;
    LowPass soften;
    return {fileName, finish(render(0.1, [&](double t) {
                const double f = frequency * (1 + 0.08 * std::exp(-t / 0.01));
                const double tone = squareWave(osc.step(f), 0.5);
                return soften.step(tone, 900) * strike(t, 0.002, 0.04);
            }), 0.8)};
}

// A triangle-and-buzz tone sliding up and down six times a second.
Sound mothershipSiren()
{
    Oscillator osc;
    return {"mother.wav", finish(render(3.0, [&](double t) {
                const double f = 700 + 180 * std::sin(2 * Pi * 6 * t);
                const double phase = osc.step(f);
                const double fadeIn = std::min(1.0, t / 0.03);
                return fadeIn * (0.8 * triangleWave(phase) + 0.2 * squareWave(phase, 0.25));
            }), 0.5)};
}

// A noise burst whose brightness and loudness fall away, over a low thud.
Sound bigExplosion()
{
    Noise noise(0x5eed02);
    LowPass body;
    Oscillator thud;
    return {"expl.wav", finish(render(0.6, [&](double t) {
                const double cutoff = 200 + 2800 * std::exp(-t / 0.12);
                const double burst = body.step(noise.next(), cutoff) * strike(t, 0.003, 0.18);
                const double low = sineWave(thud.step(60 - 20 * t)) * strike(t, 0.003, 0.1);
                return burst + 0.3 * low;
            }), 0.85)};
}

// Coarse noise held for a few samples at a time, so it crunches, over a
// falling square.
Sound invaderCrunch()
{
    Noise noise(0x5eed03);
    Oscillator hold, osc;
    double held = 0, lastPhase = 1;
    return {"invader.wav", finish(render(0.3, [&](double t) {
                const double phase = hold.step(4000 * std::exp(-t / 0.12) + 600);
                if (phase < lastPhase) held = noise.next();
                lastPhase = phase;
                const double tone = squareWave(osc.step(400 * std::exp(-t / 0.1) + 80), 0.5);
                return (0.7 * held + 0.4 * tone) * strike(t, 0.002, 0.08);
            }), 0.75)};
}

// A deep rumble: twice-filtered noise that swells and ebbs at random,
// crackling at first, dying away slowly.
Sound shipExplosion()
{
    Noise noise(0x5eed04), wobble(0x5eed05), crackle(0x5eed06);
    LowPass first, second, swell;
    Oscillator wobbleClock;
    double wobbleTarget = 0, lastPhase = 1;
    return {"Smallexp.wav", finish(render(0.8, [&](double t) {
                const double cutoff = 120 + 400 * std::exp(-t / 0.25);
                const double rumble = second.step(first.step(noise.next(), cutoff), cutoff);
                const double phase = wobbleClock.step(25);
                if (phase < lastPhase) wobbleTarget = wobble.next();
                lastPhase = phase;
                const double depth = 0.7 + 0.3 * swell.step(wobbleTarget, 30);
                const double c = crackle.next();
                const double snap = t < 0.3 && std::abs(c) > 0.995 ? c : 0.0;
                return (4 * rumble * depth + 0.5 * snap) * strike(t, 0.005, 0.3);
            }), 0.9)};
}

// Three quick calls and a held top note, in two voices over a bass.
Sound fanfare()
{
    auto lead = playTune({note(C5, 0.1), note(C5, 0.1), note(C5, 0.1), note(G5, 0.3),
                          note(E5, 0.15), note(G5, 0.75)},
                         Wave::ThinSquare);
    const auto harmony = playTune({note(G4, 0.1), note(G4, 0.1), note(G4, 0.1), note(E5, 0.3),
                                   note(C5, 0.15), note(E5, 0.75)},
                                  Wave::Square);
    const auto bass = playTune({note(C3, 0.3), note(C3, 0.3), note(G2, 0.15), note(C3, 0.75)},
                               Wave::Triangle);
    mixInto(lead, harmony, 0.4);
    mixInto(lead, bass, 0.7);
    return {"high.wav", finish(lead, 0.7)};
}

} // namespace

std::vector<Sound> gameSounds()
{
    return {openingJingle(),
            missileZap(),
            marchNote("note1.wav", 110.0),
            marchNote("note2.wav", 98.0),
            marchNote("note3.wav", 87.3),
            marchNote("note4.wav", 82.4),
            mothershipSiren(),
            bigExplosion(),
            invaderCrunch(),
            shipExplosion(),
            fanfare()};
}
