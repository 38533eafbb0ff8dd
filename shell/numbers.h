// The game's number types and its two rounding rules. Integers are 16-bit
// and Longs 32-bit, as the game's fields have always been; Singles are
// stored as float and worked out in double before they are stored.
#pragma once

#include <cmath>
#include <cstdint>

using Integer = std::int16_t;
using Long = std::int32_t;
using Single = float;
using Double = double;

// Rounds down: Int(-0.5) is -1.
inline double Int(double x) { return std::floor(x); }

// Rounds to the nearest whole number, halves to even: CInt(2.5) is 2.
inline double CInt(double x) { return std::nearbyint(x); }

// The busiest drawing (a blast's 150 dots, each box the game draws) is
// built twice by GCC on x86-64, and the processor picks one as the program
// starts: with SSE4.1, Int and CInt become single rounding instructions
// instead of calls into the maths library, with the same results.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define ROUNDING_CLONES __attribute__((target_clones("sse4.1", "default")))
#else
#define ROUNDING_CLONES
#endif

// A colour number: red + 256 green + 65536 blue.
inline constexpr Long RGB(int red, int green, int blue) { return red + 256 * green + 65536 * blue; }

// The colours the game tells things apart by when it reads pixels back:
// the empty sky, a bomb and the missile.
inline constexpr Long Black = RGB(0, 0, 0);
inline constexpr Long Yellow = RGB(255, 255, 0);
inline constexpr Long Green = RGB(0, 255, 0);
