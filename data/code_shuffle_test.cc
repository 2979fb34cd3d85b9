#include "data/code_shuffle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "data/arithmetic.h"
#include "scripted_random.h"

namespace townwright {
namespace {

using testing::ScriptedRandom;

// The shuffle written the plain way, with the library's floor on the extended product.
std::string ReferenceShuffle(std::string codes, double range, const std::vector<double>& draws) {
  for (std::size_t i = 0; i + 1 < draws.size(); i += 2) {
    const long double a = std::floor(range * static_cast<long double>(draws[i]));
    const long double b = std::floor(range * static_cast<long double>(draws[i + 1]));
    if (a >= 1 && a <= codes.size() && b >= 1 && b <= codes.size()) {
      std::swap(codes[static_cast<std::size_t>(a) - 1], codes[static_cast<std::size_t>(b) - 1]);
    }
  }
  return codes;
}

std::string Deck(int length) {
  std::string deck;
  for (int i = 0; i < length; ++i) deck += static_cast<char>(33 + i);
  return deck;
}

// Draws that sit on and just beside every boundary k / range, and draws that are not multiples of
// 2^-53 as the game's generator makes them.
std::vector<double> AwkwardDraws(double range, GameRandom& random) {
  std::vector<double> draws;
  for (int k = 0; k < static_cast<int>(range); ++k) {
    const double boundary = k / range;
    draws.push_back(boundary);
    draws.push_back(std::nextafter(boundary, 0.0));
    draws.push_back(std::nextafter(boundary, 1.0));
  }
  for (const double odd :
       {0.1, 1.0 / 3, 2.0 / 3, 1e-300, 5e-324, 0.999999999999999, testing::kJustBelowOne}) {
    draws.push_back(odd);
  }
  while (draws.size() < 2000) {
    const double r = random.NextUniform();
    draws.push_back(r);
    draws.push_back(std::ldexp(random.NextUniform(), -7) + std::ldexp(r, -70));
  }
  draws.resize(2000);
  return draws;
}

TEST(ShuffleCodesTest, PositionsAreExactlyTheFloorOfTheExtendedProduct) {
  GameRandom random(12);
  for (const int length : {1, 2, 3, 7, 31, 32, 64, 200}) {
    for (const double range :
         {static_cast<double>(length), length - 1.0, 31.0, 2048.0, 2049.0, 30.5, 1e6}) {
      SCOPED_TRACE(::testing::Message() << "length " << length << ", range " << range);
      const std::vector<double> draws = AwkwardDraws(std::min(range, 4096.0), random);
      std::string shuffled = Deck(length);
      ScriptedRandom source(draws);
      ShuffleCodes(shuffled, range, source);
      EXPECT_EQ(shuffled, ReferenceShuffle(Deck(length), range, draws));
      EXPECT_EQ(source.drawn(), 2000u);
    }
  }
}

TEST(ShuffleCodesTest, DrawsOutsideTheUnitIntervalExchangeNothingOutOfBounds) {
  std::string codes = Deck(5);
  ScriptedRandom source({-0.5, 0.5, 1.5, 0.5, 7.0, 0.5, std::nan(""), 0.5, 0.5, -1e300}, 0);
  ShuffleCodes(codes, 5, source);
  EXPECT_EQ(codes, Deck(5));
}

// The whole-number positions of the game's draws against the extended product, at every edge the
// argument for them names: the least and the greatest draw, and on and just below every draw
// where the position steps up, for ranges from 0 to the largest, odd and even.
TEST(ShuffleCodesTest, WholeDrawPositionsAreTheExtendedProductsFloorAtEveryStep) {
  constexpr std::uint64_t kLargestDraw = (std::uint64_t{1} << 53) - 1;
  const auto exact = [](std::uint64_t range, std::uint64_t k) {
    const double r = std::ldexp(static_cast<double>(k), -53);
    return static_cast<std::uint64_t>(static_cast<double>(
        Int(static_cast<Extended>(static_cast<double>(range)) * static_cast<Extended>(r))));
  };
  for (const std::uint64_t range : {0u, 1u, 2u, 3u, 31u, 32u, 33u, 1023u, 2047u, 2048u}) {
    SCOPED_TRACE(range);
    std::vector<std::uint64_t> edges = {0, 1, kLargestDraw - 1, kLargestDraw};
    for (std::uint64_t step = 1; step < range; ++step) {
      // The least k with range * k >= step * 2^53, and the one below it.
      const std::uint64_t first = ((step << 53) + range - 1) / range;
      edges.insert(edges.end(), {first - 1, first, first + 1});
    }
    for (const std::uint64_t k : edges) {
      ASSERT_EQ(WholeDrawPosition(range, k), exact(range, k)) << "k " << k;
    }
  }
  EXPECT_EQ(WholeDrawPosition(kLargestWholeRange, kLargestDraw), kLargestWholeRange - 1);
}

// The game's generator, whose draws take the whole-number path, shuffles as its very draws do on
// the exact path, and draws as many.
TEST(ShuffleCodesTest, TheGamesDrawsShuffleAsOnTheExactPath) {
  for (const int length : {0, 1, 2, 31, 32}) {
    SCOPED_TRACE(length);
    GameRandom game(2026 + length);
    GameRandom copy = game;
    std::vector<double> draws(2001);
    for (double& draw : draws) draw = copy.NextUniform();
    std::string fast = Deck(length);
    ShuffleCodes(fast, length, game);
    std::string exact = Deck(length);
    ScriptedRandom scripted(draws);
    ShuffleCodes(exact, length, scripted);
    EXPECT_EQ(fast, exact);
    EXPECT_EQ(game.NextUniform(), draws.back()) << "the draw after the shuffle's 2,000";
  }
}

}  // namespace
}  // namespace townwright
