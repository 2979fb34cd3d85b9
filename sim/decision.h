#pragma once

// Carrying out the player's choice: do nothing, one Build step, Reactivate or Halt.

#include "data/city_state.h"
#include "data/random_source.h"

namespace townwright {

// Carries out ChoiceCode[SelectedChoice]. A Build draws one number for its step. Every decision
// about a project then moves each occupation by the project's effect scaled by its new progress.
// A code naming no project (or a SelectedChoice naming no slot) changes no project or head count.
void ApplyDecision(CityState& city, RandomSource& random);

}  // namespace townwright
