#pragma once

// The fixed catalogues of the game: 31 civic projects (name, cost, effect on every occupation's
// head count) and 60 occupations (name, yearly wage, spread of that wage).

#include "data/city_state.h"

namespace townwright {

// Fills the catalogue arrays of `city` (project names, costs and workforce effects; occupation
// names, wages and spreads) and clears the choice arrays. Called once, before anything reads them.
void FillCatalogues(CityState& city);

}  // namespace townwright
