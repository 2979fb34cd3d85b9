#include "data/code_shuffle.h"

#include <utility>

#include "data/arithmetic.h"

namespace townwright {

void ShuffleCodes(std::string& codes, double range, RandomSource& random) {
  constexpr int kExchanges = 1000;
  for (int i = 0; i < kExchanges; ++i) {
    const Extended a = Int(range * static_cast<Extended>(random.NextUniform()));
    const Extended b = Int(range * static_cast<Extended>(random.NextUniform()));
    const auto position_a = ArrayIndex(a, codes.size() + 1);
    const auto position_b = ArrayIndex(b, codes.size() + 1);
    if (!position_a || !position_b || *position_a == 0 || *position_b == 0) continue;
    std::swap(codes[*position_a - 1], codes[*position_b - 1]);
  }
}

}  // namespace townwright
