#include "sim/workforce.h"

#include "data/catalogue.h"

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
    if (project) ApplyWorkforceEffect(city, *project, 1);
  }
}

}  // namespace townwright
