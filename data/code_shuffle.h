#pragma once

// The shuffle of a code string, used for the start deck and for the offers of every turn.

#include <cstddef>
#include <cstdint>
#include <string>

#include "data/random_source.h"

namespace townwright {

// Repeats 1000 times: A = INT(range * r), B = INT(range * r), each with a fresh draw, then
// exchanges the characters at positions A and B, counting from 1. Position 0 holds no character, so
// a draw of 0 leaves the string as it is; with `range` equal to the length, the last character
// never moves.
void ShuffleCodes(std::string& codes, double range, RandomSource& random);

// The largest range whose positions WholeDrawPosition gives: 2^11, since 2^11 times a 53-bit draw
// fills the 64 bits of the extended format's significand.
inline constexpr std::uint64_t kLargestWholeRange = 2048;

// INT(range * r) for a whole `range` from 0 to kLargestWholeRange and a draw r = k * 2^-53 (k
// whole, below 2^53), as the game's generator makes every draw: (range * k) >> 53, exactly what
// the extended arithmetic gives. Range * r is range * k * 2^-53, and range * k < 2^64 fits the
// extended format's 64-bit significand, while a power of two only moves the exponent: the product
// is exact, no rounding happens, and INT, the floor of the exact product, is the whole part of
// range * k / 2^53, which is the shift. So no draw can give another position, whatever its bits.
constexpr std::size_t WholeDrawPosition(std::uint64_t range, std::uint64_t k) {
  return static_cast<std::size_t>((range * k) >> 53);
}

}  // namespace townwright
