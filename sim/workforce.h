#pragma once

// How projects move people between occupations.

#include <cstddef>

#include "data/arithmetic.h"
#include "data/city_state.h"

namespace townwright {

// For every occupation 1..60 in ascending order: head count <- scale * (cell - 128) + head count,
// rounded ties to even and stored as the unsigned count holds it. `project` must be 0..32.
void ApplyWorkforceEffect(CityState& city, std::size_t project, Extended scale);

// The turn's workforce shift: every project in PendingProjects, in string order, applies its full
// effect once. A code that names no project is skipped.
void ShiftWorkforce(CityState& city);

}  // namespace townwright
