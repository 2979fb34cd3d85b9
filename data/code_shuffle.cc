#include "data/code_shuffle.h"

#include <array>
#include <cstdint>
#include <utility>

#include "data/arithmetic.h"

namespace townwright {
namespace {

constexpr int kExchanges = 1000;

// INT(range * r) as a 1-based position of a string of `length` characters, in the extended
// arithmetic every formula is written in; 0 when it names none.
std::size_t ExactPosition(double range, double r, std::size_t length) {
  const Extended position = Int(static_cast<Extended>(range) * static_cast<Extended>(r));
  // Written so that NaN fails too.
  if (!(position >= 1 && position <= static_cast<Extended>(length))) return 0;
  return static_cast<std::size_t>(static_cast<double>(position));
}

}  // namespace

void ShuffleCodes(std::string& codes, double range, RandomSource& random) {
  const std::size_t length = codes.size();
  // The game's own draws, in one call, and each position in whole numbers (WholeDrawPosition).
  if (range >= 0 && range <= kLargestWholeRange &&
      range == static_cast<double>(static_cast<std::uint64_t>(range))) {
    std::array<std::uint64_t, 2 * kExchanges> draws;
    if (random.NextWholeDraws(draws)) {
      const auto whole_range = static_cast<std::uint64_t>(range);
      for (std::size_t i = 0; i < draws.size(); i += 2) {
        const std::size_t a = WholeDrawPosition(whole_range, draws[i]);
        const std::size_t b = WholeDrawPosition(whole_range, draws[i + 1]);
        if (a != 0 && b != 0 && a <= length && b <= length) std::swap(codes[a - 1], codes[b - 1]);
      }
      return;
    }
  }
  for (int i = 0; i < kExchanges; ++i) {
    const std::size_t a = ExactPosition(range, random.NextUniform(), length);
    const std::size_t b = ExactPosition(range, random.NextUniform(), length);
    if (a != 0 && b != 0) std::swap(codes[a - 1], codes[b - 1]);
  }
}

}  // namespace townwright
