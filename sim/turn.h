#pragma once

// One turn of the game, played when the player presses a choice button.

#include "data/city_state.h"
#include "data/random_source.h"
#include "view/display.h"

namespace townwright {

// Plays one turn for the choice in SelectedChoice, in this order: calendar, decision, workforce
// shift by the pending projects, status sort, new choices, economy, indicator panel. Draws, in
// order: one for a Build, the new choices' 6001, then the economy's 61.
void PlayTurn(CityState& city, RandomSource& random, Display& display);

}  // namespace townwright
