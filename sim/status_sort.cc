#include "sim/status_sort.h"

namespace townwright {

void SortProjects(CityState& city) {
  constexpr double kHaltedThreshold = 0.002f;
  city.PendingProjects.clear();
  city.ActiveProjects.clear();
  city.HaltedProjects.clear();
  for (int project = 1; project <= kProjectCount; ++project) {
    const double progress = city.ProjectProgress[project];
    if (progress > 1) {
      city.ActiveProjects += ProjectCode(project);
    } else if (progress > kHaltedThreshold && city.ProjectCompleted[project] != 0) {
      city.HaltedProjects += ProjectCode(project);
    } else {
      city.PendingProjects += ProjectCode(project);
    }
  }
}

}  // namespace townwright
