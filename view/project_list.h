#pragma once

// The nine choices offered for the next turn: do nothing, then a few Build offers, then Reactivate
// and Halt offers, drawn from shuffled status lists.

#include "data/city_state.h"
#include "data/random_source.h"
#include "view/display.h"

namespace townwright {

// Rebuilds ChoiceText and ChoiceCode and shows the nine buttons one after another, each followed
// by a pause of 100 milliseconds. Draws 2000 numbers to shuffle the pending list, one for the
// number of build positions looked at, then 2000 each for the halted and the active lists, which
// keep their shuffled order.
void RebuildChoices(CityState& city, RandomSource& random, Display& display);

}  // namespace townwright
