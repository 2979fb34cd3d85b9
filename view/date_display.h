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

}  // namespace townwright
