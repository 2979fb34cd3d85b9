#pragma once

// Drawing the choices offered for the next turn: do nothing, then a few Build offers, then
// Reactivate and Halt offers, from shuffled status lists.

#include "data/city_state.h"
#include "data/random_source.h"

namespace townwright {

// Writes the codes of choices 1, 2, 3 ... without gaps and returns how many were made (1 to 15;
// only the first nine have a button). A slot beyond them keeps the code an earlier draw left.
// Draws 2000 numbers to shuffle a copy of the pending list, one for the last position looked at
// for Build offers (3 to 7), then 2000 each to shuffle the halted and the active lists, which keep
// their shuffled order.
int DrawChoices(CityState& city, RandomSource& random);

}  // namespace townwright
