#pragma once

// The calendar: one turn is one day, 27 days a month, 12 months a year, with no end.

#include "data/city_state.h"

namespace townwright {

// Moves on by one day, rolling the month (which clears VelocityOfMoney) and the year over when due.
void AdvanceCalendar(CityState& city);

}  // namespace townwright
