#pragma once

// The date boxes: month name, year and day.

#include <string_view>

#include "data/city_state.h"
#include "view/display.h"

namespace townwright {

// "January" to "December" for months 1 to 12; empty for any other number.
std::string_view NameOfMonth(int month);

// Writes DayText, MonthName and YearText from the calendar, shows them in the three date boxes
// and gives the year box its year font again.
void ShowDate(CityState& city, Display& display);

// Whether the game has played a turn: the first turn writes DayText, and nothing empties it again.
bool TurnPlayed(const CityState& city);

}  // namespace townwright
