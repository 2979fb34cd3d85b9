#include "data/new_game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "city_fixture.h"

namespace townwright {
namespace {

using testing::CityFixture;
using testing::kJustBelowOne;
using testing::ScriptedRandom;

std::string AscendingDeck() {
  std::string deck;
  for (int code = 32; code <= 63; ++code) deck += static_cast<char>(code);
  return deck;
}

using NewGameTest = CityFixture;

TEST_F(NewGameTest, StartsWithTheSinglePrecisionTaxRates) {
  StartWithSeed(1);
  EXPECT_EQ(city.IncomeTaxRate, 0.33000001311302185);
  EXPECT_EQ(city.SalesTaxRate, 0.07500000298023224);
  EXPECT_EQ(city.PropertyTaxRate, 0.15000000596046448);
}

TEST_F(NewGameTest, DeckIsAPermutationEndingWithProjectsThirtyAndThirtyOne) {
  for (const std::uint64_t seed : {1ull, 2ull, 42ull, 0xFFFFFFFFFFFFFFFFull}) {
    SCOPED_TRACE(seed);
    StartWithSeed(seed);
    std::string sorted = city.PendingProjects;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, AscendingDeck());
    EXPECT_EQ(city.PendingProjects.substr(30), ">?");
    EXPECT_LT(city.PendingProjects.find(' '), 30u);
    EXPECT_TRUE(city.ActiveProjects.empty());
    EXPECT_TRUE(city.HaltedProjects.empty());
    EXPECT_GE(city.Funds, 0);
    EXPECT_LE(city.Funds, 99999);
    EXPECT_EQ(city.Funds, static_cast<long long>(city.Funds));
  }
}

TEST_F(NewGameTest, ASourceOfZerosSkipsEveryExchange) {
  ScriptedRandom zeros({}, 0);
  StartWithDraws(zeros);
  EXPECT_EQ(city.PendingProjects, AscendingDeck());
  EXPECT_EQ(city.Funds, 0);
  EXPECT_EQ(zeros.drawn(), 2001u);
}

TEST_F(NewGameTest, ASourceJustBelowOneExchangesPositionThirtyWithItself) {
  ScriptedRandom high({}, kJustBelowOne);
  StartWithDraws(high);
  EXPECT_EQ(city.PendingProjects, AscendingDeck());
  EXPECT_EQ(city.Funds, 99999);
}

TEST_F(NewGameTest, DrawsTheExchangesInPairsThenTheMoney) {
  // First pair: A = INT(31 * 1.5/31) = 1, B = INT(31 * 2.5/31) = 2, exchanging projects 0 and 1.
  // Then a pair with A = 3 and B = 0, which must not exchange. Drawing the money first, drawing
  // once per exchange or counting positions from 0 changes the deck or the money.
  std::vector<double> script = {1.5 / 31, 2.5 / 31, 3.5 / 31, 0};
  script.resize(2000, 0);
  script.push_back(0.123456);  // the 2001st draw is the money
  ScriptedRandom draws(script);
  StartWithDraws(draws);
  std::string expected = AscendingDeck();
  std::swap(expected[0], expected[1]);
  EXPECT_EQ(city.PendingProjects, expected);
  EXPECT_EQ(city.Funds, 12345);
}

TEST_F(NewGameTest, TheSameSeedDealsTheSameGame) {
  StartWithSeed(7);
  const std::string deck = city.PendingProjects;
  const double funds = city.Funds;
  StartWithSeed(7);
  EXPECT_EQ(city.PendingProjects, deck);
  EXPECT_EQ(city.Funds, funds);
  StartWithSeed(8);
  EXPECT_NE(city.PendingProjects, deck);
}

TEST(GameRandomTest, DrawsTheTopFiftyThreeBitsOfTheMersenneTwister) {
  // The standard's check value: the 10000th output of a default-seeded mt19937_64.
  GameRandom random(5489);
  for (int i = 1; i < 10000; ++i) random.NextUniform();
  EXPECT_EQ(random.NextUniform(), (9981545732273789042ull >> 11) * 0x1.0p-53);
}

}  // namespace
}  // namespace townwright
