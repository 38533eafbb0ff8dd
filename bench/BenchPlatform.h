// The platform the benchmarks give the game: a seeded random source, a
// fresh program directory holding our pictures and sounds, sounds that
// "play" at once, no dialogs, and pauses that return at once but note the
// moment they were asked for, so a benchmark can tell how long the drawing
// before a pause took.
#pragma once

#include <QTemporaryDir>

#include <chrono>
#include <random>
#include <vector>

#include "shell/platform.h"

struct BenchPlatform : Platform {
    using Clock = std::chrono::steady_clock;

    BenchPlatform();

    // Every pause asked for since the last clear: its length and when.
    struct Hold {
        int milliseconds;
        Clock::time_point at;
    };
    std::vector<Hold> holds;

    float rnd() override;
    QString programDirectory() override;
    int waveOutDeviceCount() override { return 1; }
    bool playSound(const QString&, bool) override { return true; }
    long sendMediaCommand(const QString&) override { return 0; }
    void messageBox(const QString&, const QString&) override {}
    QString inputBox(const QString&, const QString&) override { return QString(); }
    void hold(int milliseconds) override;
    void present() override {}
    void endProgram(int) override {}

private:
    QTemporaryDir folder_;
    std::mt19937 generator_{20261207};
    std::uniform_real_distribution<float> uniform_{0.0f, 1.0f};
};
