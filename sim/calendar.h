#pragma once

// The calendar: one turn is one day, 27 days a month, 12 months a year, with no end.

#include "data/city_state.h"
#include "view/display.h"

namespace townwright {

// Moves on by one day, rolling the month (which clears VelocityOfMoney) and the year over when due,
// and shows the date in the three date boxes.
void AdvanceCalendar(CityState& city, Display& display);

}  // namespace townwright
