// The game's one source of random numbers on the desktop: a Mersenne
// Twister started from a seed, giving floats in [0, 1). The same seed
// gives the same numbers on every machine, which is what lets a recorded
// game be played again exactly.
#pragma once

#include <cstdint>
#include <random>

class GameRandom {
public:
    explicit GameRandom(std::uint32_t seed) : seed_(seed), engine_(seed) {}

    std::uint32_t seed() const { return seed_; }
    // Goes on from where the numbers stood after count of them.
    void skip(std::uint64_t count) { engine_.discard(count); }
    // A seed for numbers of their own, taken from these.
    std::uint32_t nextSeed() { return engine_(); }

    // 24 random bits over 2^24: every value is exact in a float and the
    // largest is 1 - 2^-24, so 1.0 never comes out.
    float next() { return static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f); }

private:
    std::uint32_t seed_;
    std::mt19937 engine_;
};
