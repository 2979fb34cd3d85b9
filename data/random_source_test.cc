#include "data/random_source.h"

#include <gtest/gtest.h>

#include <random>

namespace townwright {
namespace {

TEST(GameRandomTest, DrawsWhatTheLibrarysMersenneTwisterDraws) {
  for (const std::uint64_t seed : {0ull, 1ull, 5489ull, 0x0123456789ABCDEFull, ~0ull}) {
    SCOPED_TRACE(seed);
    GameRandom game(seed);
    std::mt19937_64 library(seed);
    // Across several renewals of the 312 words.
    for (int draw = 0; draw < 2000; ++draw) ASSERT_EQ(game.Next(), library()) << draw;
    game.Seed(seed + 1);
    library.seed(seed + 1);
    EXPECT_EQ(game.Next(), library());
  }
}

TEST(GameRandomTest, GoesOnExactlyFromAStateItWasIn) {
  GameRandom played(42);
  for (int draw = 0; draw < 1000; ++draw) played.Next();
  for (int draw = 0; draw <= 312; ++draw) {  // from every position within the words
    GameRandom resumed(7);
    ASSERT_TRUE(resumed.Restore(played.state()));
    GameRandom ahead = played;
    for (int later = 0; later < 400; ++later) ASSERT_EQ(resumed.Next(), ahead.Next());
    played.Next();
  }
  GeneratorState impossible = played.state();
  impossible.drawn = GeneratorState::kWords + 1;
  GameRandom kept(3);
  EXPECT_FALSE(kept.Restore(impossible));
  EXPECT_EQ(kept.state(), GameRandom(3).state());
}

}  // namespace
}  // namespace townwright
