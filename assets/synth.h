// The building blocks of the game's sounds: an oscillator whose pitch may
// change every sample, a seeded noise source, a one-pole low-pass filter,
// envelopes, and a short tune player. Everything is deterministic, so the
// files come out the same on every build.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "sound.h"

// A phase that advances by frequency / SampleRate each sample.
class Oscillator {
public:
    // Advances one sample at the given frequency and returns the phase in [0, 1).
    double step(double frequency);

private:
    double phase_ = 0;
};

double squareWave(double phase, double duty);
double triangleWave(double phase);
double sineWave(double phase);

// White noise in [-1, 1] from a fixed seed.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed) {}
    double next();

private:
    std::uint32_t state_;
};

// A one-pole low-pass filter; the cutoff may change every sample.
class LowPass {
public:
    double step(double input, double cutoffHz);

private:
    double out_ = 0;
};

// A linear attack then an exponential decay with time constant `decay`.
double strike(double t, double attack, double decay);

// `seconds` of sound, one call of `sample(t)` a sample, t in seconds.
std::vector<double> render(double seconds, const std::function<double(double)>& sample);

// Scales the sound so its loudest sample is `peak` and fades out the last
// few milliseconds so it ends without a click.
std::vector<double> finish(std::vector<double> samples, double peak);

// Mixes b into a (a is lengthened if needed), b scaled by `gain`.
void mixInto(std::vector<double>& a, const std::vector<double>& b, double gain);

// A tune: notes one after another, each struck and released, on one
// waveform; notes longer than a quarter second swell into a vibrato.
enum class Wave { ThinSquare, Square, Triangle };
struct Note {
    double frequency; // 0 for a rest
    double seconds;
};
std::vector<double> playTune(const std::vector<Note>& notes, Wave wave);

// Equal-tempered pitch: note 0 is A4 (440 Hz), +12 an octave up.
double pitch(int semitonesFromA4);
