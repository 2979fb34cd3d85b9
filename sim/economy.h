#pragma once

// The economy: incomes, the eight indicators, "Citizen's Monthly" and "Workforce".

#include "data/city_state.h"
#include "data/random_source.h"

namespace townwright {

// Updates the indicators for one turn. Draws one income factor per occupation 1..60 in ascending
// order, then one number for Workforce: 61 draws.
void UpdateEconomy(CityState& city, RandomSource& random);

}  // namespace townwright
