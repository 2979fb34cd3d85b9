#pragma once

// Sorting the projects into the three status lists the offers are drawn from.

#include "data/city_state.h"

namespace townwright {

// Rebuilds PendingProjects, HaltedProjects and ActiveProjects from every project's progress and
// completion mark, each in ascending project order: progress above 1 is active; otherwise progress
// above 0.002 with the completion mark set is halted; everything else is pending.
void SortProjects(CityState& city);

}  // namespace townwright
