#pragma once

// One turn of the game, played when the player presses a choice button. The rules are sim/'s and
// what they show is view/'s; this is where the two meet, in the game's fixed order.

#include "data/city_state.h"
#include "data/random_source.h"
#include "view/display.h"

namespace townwright {

// Plays one turn for the choice in SelectedChoice: the calendar and the date boxes; the decision;
// the workforce shift by the pending projects; the status sort; the new choices and their buttons,
// each followed by its pause; the economy; the indicator history and the panel. Draws, in order:
// one for a Build, the new choices' 6001, then the economy's 61.
void PlayTurn(CityState& city, RandomSource& random, Display& display);

// Draws the next choices and shows them on the buttons. At start-up, before the window exists,
// only the pauses pass.
void OfferChoices(CityState& city, RandomSource& random, Display& display);

}  // namespace townwright
