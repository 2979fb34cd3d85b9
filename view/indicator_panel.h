#pragma once

// The end-of-turn display of the eight indicators, their 30-turn trends, the tax rates,
// "Citizen's Monthly" and "Workforce".

#include "data/city_state.h"
#include "view/display.h"

namespace townwright {

// Writes IndicatorText and TrendText from the indicators and their ratios, then shows the 21 boxes
// in their order: the eight figures (money grouped after "$", the census grouped), the eight
// trends, the three tax rates as percentages, "Citizen's Monthly" and "Workforce".
void ShowIndicatorPanel(CityState& city, Display& display);

}  // namespace townwright
