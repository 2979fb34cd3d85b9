#pragma once

// The game's numeric conventions. Every formula is evaluated left to right in the x87 80-bit
// extended format (a 64-bit significand) and stored as double. Fractional constants are
// single-precision values widened, so callers write them as float literals (0.1f), and never as
// long double literals. "Round" is to nearest with ties to even; INT is floor.

#include <cfloat>
#include <cmath>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

#if LDBL_MANT_DIG != 64
#include "data/emulated_extended.h"
#endif

namespace townwright {

// The processor's own long double where it is the 80-bit format (x86 with GCC or Clang); the same
// format in software elsewhere, so that every figure is the same on every platform.
#if LDBL_MANT_DIG == 64
using Extended = long double;
inline Extended Abs(Extended x) { return std::fabs(x); }
inline bool IsFinite(Extended x) { return std::isfinite(x); }
#else
using Extended = EmulatedExtended;
inline Extended RoundHalfEven(Extended x) { return x.NearestWhole(); }
inline Extended Int(Extended x) { return x.Floor(); }
#endif

// 2^63, half the 64-bit significand's range: adding it to a smaller magnitude leaves no fraction
// bits.
inline constexpr Extended kWholeNumberThreshold = [] {
  Extended power = 1;
  for (int i = 1; i < 64; ++i) power *= 2;
  return power;
}();

// Nearest whole number, ties to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2, -0.4 -> -0). NaN and
// infinities pass. Done by adding and taking away 2^(p-1), which rounds in the current mode
// (the game never leaves round-to-nearest-even): the library's nearbyint and floor on long double
// cost many times more, and a turn calls them thousands of times.
// In software, the format takes both from the bits instead (EmulatedExtended), with the same
// results.
#if LDBL_MANT_DIG == 64
inline Extended RoundHalfEven(Extended x) {
  if (!(Abs(x) < kWholeNumberThreshold)) return x;  // already whole, or not finite
  return x >= 0 ? (x + kWholeNumberThreshold) - kWholeNumberThreshold
                : -((-x + kWholeNumberThreshold) - kWholeNumberThreshold);
}

// INT: the largest whole number not above x.
inline Extended Int(Extended x) {
  const Extended nearest = RoundHalfEven(x);
  // Arithmetic on the comparison rather than a branch: the draws make it unpredictable.
  return nearest - static_cast<Extended>(nearest > x);
}
#endif

// The array index a number names: rounded ties to even, as counters are converted where they index
// an array. Empty when the number names no element of an array with `size` elements (NaN, out of
// bounds), so that a bad code changes nothing instead of reaching outside the array.
std::optional<std::size_t> ArrayIndex(Extended value, std::size_t size);
// The same for a whole number of an integer type, which needs no rounding.
template <std::integral Whole>
std::optional<std::size_t> ArrayIndex(Whole value, std::size_t size) {
  if (std::cmp_less(value, 0) || std::cmp_greater_equal(value, size)) return std::nullopt;
  return static_cast<std::size_t>(value);
}

// Stores a head count the way an unsigned 32-bit count holds it: the value rounded ties to even,
// brought into int64 range, then reduced modulo 2^32 (so -128 is held as 4294967168). A value that
// is not finite leaves the count as it was.
void StoreHeadcount(std::uint32_t& count, Extended value);

}  // namespace townwright
