#include "data/new_game.h"

#include <string>

#include "data/arithmetic.h"
#include "data/code_shuffle.h"

namespace townwright {
namespace {

constexpr double kStartIncomeTaxRate = 0.33f;
constexpr double kStartSalesTaxRate = 0.075f;
constexpr double kStartPropertyTaxRate = 0.15f;

void SetStartRates(CityState& city) {
  city.IncomeTaxRate = kStartIncomeTaxRate;
  city.SalesTaxRate = kStartSalesTaxRate;
  city.PropertyTaxRate = kStartPropertyTaxRate;
}

// Projects 0 to 31 in ascending order: the codes 32 to 63.
std::string OrderedDeck() {
  std::string deck;
  for (int project = 0; project <= kProjectCount; ++project) deck += ProjectCode(project);
  return deck;
}

void DealStartDeckAndFunds(CityState& city, RandomSource& random) {
  std::string deck = OrderedDeck();
  // The range is 31 while the deck holds 32 codes, so projects 30 and 31 always end the deck.
  ShuffleCodes(deck, kProjectCount, random);
  city.PendingProjects = deck;
  city.Funds = static_cast<double>(Int(100000 * static_cast<Extended>(random.NextUniform())));
}

}  // namespace

void SetUpNewGame(CityState& city, GameRandom& random, std::uint64_t seed) {
  SetStartRates(city);
  city.PendingProjects.clear();
  random.Seed(seed);
  DealStartDeckAndFunds(city, random);
}

void SetUpNewGame(CityState& city, RandomSource& random) {
  SetStartRates(city);
  city.PendingProjects.clear();
  DealStartDeckAndFunds(city, random);
}

}  // namespace townwright
