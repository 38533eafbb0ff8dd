// The sound building blocks: oscillators, noise, filter, envelopes and the
// tune player used by the jingles.
#include "synth.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double Pi = 3.14159265358979323846;
}

double Oscillator::step(double frequency)
{
    const double now = phase_;
    phase_ += frequency / SampleRate;
    phase_ -= std::floor(phase_);
    return now;
}

double squareWave(double phase, double duty) { return phase < duty ? 1.0 : -1.0; }

double triangleWave(double phase) { return phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase; }

double sineWave(double phase) { return std::sin(2 * Pi * phase); }

double Noise::next()
{
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_ / 2147483647.5 - 1.0;
}

double LowPass::step(double input, double cutoffHz)
{
    const double a = 1 - std::exp(-2 * Pi * cutoffHz / SampleRate);
    out_ += a * (input - out_);
    return out_;
}

double strike(double t, double attack, double decay)
{
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decay);
}

std::vector<double> render(double seconds, const std::function<double(double)>& sample)
{
    const auto count = static_cast<std::size_t>(std::lround(seconds * SampleRate));
    std::vector<double> out(count);
    for (std::size_t i = 0; i < count; ++i) out[i] = sample(static_cast<double>(i) / SampleRate);
    return out;
}

std::vector<double> finish(std::vector<double> samples, double peak)
{
    double loudest = 0;
    for (double s : samples) loudest = std::max(loudest, std::abs(s));
    if (loudest > 0)
        for (double& s : samples) s *= peak / loudest;
    const std::size_t fade = std::min<std::size_t>(samples.size(), SampleRate / 200);
    for (std::size_t i = 0; i < fade; ++i)
        samples[samples.size() - 1 - i] *= static_cast<double>(i) / fade;
    return samples;
}

void mixInto(std::vector<double>& a, const std::vector<double>& b, double gain)
{
    if (a.size() < b.size()) a.resize(b.size());
    for (std::size_t i = 0; i < b.size(); ++i) a[i] += gain * b[i];
}

std::vector<double> playTune(const std::vector<Note>& notes, Wave wave)
{
    const double release = 0.02;
    std::vector<double> out;
    Oscillator osc;
    for (const Note& note : notes) {
        const bool held = note.seconds > 0.25;
        const auto part = render(note.seconds, [&](double t) {
            if (note.frequency <= 0) return 0.0;
            double f = note.frequency;
            if (held && t > 0.12) f *= 1 + 0.012 * std::sin(2 * Pi * 6 * (t - 0.12));
            const double phase = osc.step(f);
            double level = t < 0.004 ? t / 0.004 : 0.55 + 0.45 * std::exp(-(t - 0.004) / 0.06);
            if (held) level *= std::exp(-t / (note.seconds * 0.8));
            level *= std::clamp((note.seconds - t) / release, 0.0, 1.0);
            switch (wave) {
            case Wave::ThinSquare: return level * squareWave(phase, 0.25);
            case Wave::Square: return level * squareWave(phase, 0.5);
            case Wave::Triangle: return level * triangleWave(phase);
            }
            return 0.0;
        });
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

double pitch(int semitonesFromA4) { return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0); }
