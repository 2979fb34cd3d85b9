#pragma once

// The game's numeric conventions. Every formula is evaluated left to right in long double (80-bit
// extended precision on x86) and stored as double. Fractional constants are single-precision
// values widened, so callers write them as float literals (0.1f). "Round" is to nearest with ties
// to even; INT is floor.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace townwright {

using Extended = long double;

// Nearest whole number, ties to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). NaN and infinities pass.
inline Extended RoundHalfEven(Extended x) {
  // The game never changes the floating-point rounding mode, so nearbyint rounds ties to even.
  return std::nearbyint(x);
}

// INT: the largest whole number not above x.
inline Extended Int(Extended x) { return std::floor(x); }

// The array index a number names: rounded ties to even, as counters are converted where they index
// an array. Empty when the number names no element of an array with `size` elements (NaN, out of
// bounds), so that a bad code changes nothing instead of reaching outside the array.
std::optional<std::size_t> ArrayIndex(Extended value, std::size_t size);

// Stores a head count the way an unsigned 32-bit count holds it: the value rounded ties to even,
// brought into int64 range, then reduced modulo 2^32 (so -128 is held as 4294967168). A value that
// is not finite leaves the count as it was.
void StoreHeadcount(std::uint32_t& count, Extended value);

}  // namespace townwright
