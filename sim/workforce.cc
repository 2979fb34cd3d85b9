#include "sim/workforce.h"

#include <cstdint>

namespace townwright {

void ApplyWorkforceEffect(CityState& city, std::size_t project, Extended scale) {
  for (int occupation = 1; occupation <= kOccupationCount; ++occupation) {
    const int change = city.ProjectWorkforceEffect[occupation][project] - kNoWorkforceChange;
    StoreHeadcount(city.Headcount[occupation],
                   scale * change + static_cast<Extended>(city.Headcount[occupation]));
  }
}

void ShiftWorkforce(CityState& city) {
  const std::size_t length = city.PendingProjects.size();
  for (std::size_t position = 0; position < length; ++position) {
    const auto project =
        ArrayIndex(ProjectOfCode(city.PendingProjects[position]), city.ProjectCost.size());
    if (!project) continue;
    // A full effect is a whole number of people, so the rounded sum, held modulo 2^32, is exactly
    // unsigned 32-bit addition: no floating point needed for the turn's busiest loop.
    for (int occupation = 1; occupation <= kOccupationCount; ++occupation) {
      const int change = city.ProjectWorkforceEffect[occupation][*project] - kNoWorkforceChange;
      city.Headcount[occupation] += static_cast<std::uint32_t>(change);
    }
  }
}

}  // namespace townwright
