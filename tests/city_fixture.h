#pragma once

// A fresh game's state for engine tests: catalogues filled and the new-game set-up run, from a
// fixed seed or from a scripted sequence of draws.

#include <gtest/gtest.h>

#include <cstdint>

#include "data/catalogue.h"
#include "data/city_state.h"
#include "data/new_game.h"
#include "data/random_source.h"
#include "scripted_random.h"

namespace townwright::testing {

class CityFixture : public ::testing::Test {
 protected:
  void StartWithSeed(std::uint64_t seed) {
    city = CityState{};
    FillCatalogues(city);
    SetUpNewGame(city, game_random, seed);
  }

  void StartWithDraws(RandomSource& draws) {
    city = CityState{};
    FillCatalogues(city);
    SetUpNewGame(city, draws);
  }

  // Catalogues only: every other field at its start value, for tests that set the state by hand.
  void StartEmpty() {
    city = CityState{};
    FillCatalogues(city);
  }

  CityState city;
  GameRandom game_random;
};

}  // namespace townwright::testing
