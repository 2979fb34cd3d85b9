#include "data/arithmetic.h"

#include <limits>

namespace townwright {

namespace {

// Whole numbers below 2^53 convert exactly through double, whose conversion to an integer is one
// instruction; the x87 format's needs the control word changed twice.
constexpr Extended kTwoTo53 = 9007199254740992.0;

}  // namespace

std::optional<std::size_t> ArrayIndex(Extended value, std::size_t size) {
  const Extended index = RoundHalfEven(value);
  // Written so that NaN fails both comparisons.
  if (!(index >= 0 && index < static_cast<Extended>(size) && index < kTwoTo53)) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(static_cast<double>(index));
}

void StoreHeadcount(std::uint32_t& count, Extended value) {
  if (!IsFinite(value)) return;
  const Extended rounded = RoundHalfEven(value);
  // 2^63 is exact in the format; converting anything outside int64 range would be undefined.
  constexpr Extended kTwoTo63 = 9223372036854775808.0;
  std::int64_t whole;
  if (Abs(rounded) < kTwoTo53) {
    whole = static_cast<std::int64_t>(static_cast<double>(rounded));
  } else if (rounded >= kTwoTo63) {
    whole = std::numeric_limits<std::int64_t>::max();
  } else if (rounded < -kTwoTo63) {
    whole = std::numeric_limits<std::int64_t>::min();
  } else {
    whole = static_cast<std::int64_t>(rounded);
  }
  count = static_cast<std::uint32_t>(whole);  // well defined: reduction modulo 2^32
}

}  // namespace townwright
