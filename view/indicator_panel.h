#pragma once

// The end-of-turn display of the eight indicators, their 30-turn trends, the tax rates,
// "Citizen's Monthly" and "Workforce".

#include <optional>
#include <string>

#include "data/city_state.h"
#include "view/display.h"

namespace townwright {

// Writes IndicatorText and TrendText from the indicators and their ratios, then shows the 21 boxes
// in their order: the eight figures (money grouped after "$", the census grouped), the eight
// trends, the three tax rates as percentages, "Citizen's Monthly" and "Workforce".
void ShowIndicatorPanel(CityState& city, Display& display);

// The longest texts a figure box of the panel can show, as its format makes them: one in the plain
// form (a whole number of 15 digits), one in the exponent form (15 significant digits and a
// three-digit exponent), each with a minus sign or a trend's "DN" where the box shows one.
struct LongestTexts {
  std::string plain;
  std::string exponent;
};

// For the eight figures, their trends, "Citizen's Monthly" and "Workforce"; nothing for any other
// box.
std::optional<LongestTexts> LongestFigureTexts(int box);

}  // namespace townwright
