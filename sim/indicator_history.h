#pragma once

// The 31-turn history of the eight indicators, from which each trend compares an indicator with
// its own value 30 turns earlier.

#include "data/city_state.h"

namespace townwright {

// At the end of a turn: sets IndicatorRatio[k] to indicator k divided by its value 30 turns earlier
// (an earlier 0 keeps the ratio as it was), then shifts the history on by one slot and stores the
// current values in slot 1.
void AdvanceIndicatorHistory(CityState& city);

}  // namespace townwright
