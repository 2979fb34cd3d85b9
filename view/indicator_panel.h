#pragma once

// The end-of-turn display of the eight indicators, their 30-turn trends, the tax rates,
// "Citizen's Monthly" and "Workforce".

#include "data/city_state.h"
#include "view/display.h"

namespace townwright {

// Writes the indicator texts, moves the 31-turn history on (comparing each indicator with its
// value 30 turns earlier first), writes the trend texts and refreshes the 21 boxes in their order.
void RefreshIndicatorPanel(CityState& city, Display& display);

}  // namespace townwright
