#include "data/random_source.h"

#include <chrono>

namespace townwright {

std::uint64_t SeedFromTimeOfDay() {
  // Nanoseconds since the epoch: two games started a moment apart still play differently.
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

}  // namespace townwright
