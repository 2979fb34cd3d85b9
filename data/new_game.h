#pragma once

// The new-game set-up: starting tax rates, the shuffled start deck of projects, the starting money.

#include <cstdint>

#include "data/city_state.h"
#include "data/random_source.h"

namespace townwright {

// Sets up a new game in `city`, whose catalogues are filled and whose other fields are still at
// their start values. Seeds `random` with `seed`, then draws 2000 numbers for the start deck and
// one for the starting money, in that order.
void SetUpNewGame(CityState& city, GameRandom& random, std::uint64_t seed);

// The same set-up drawing from a source that needs no seeding (a scripted sequence in tests).
void SetUpNewGame(CityState& city, RandomSource& random);

}  // namespace townwright
