#include "sim/economy.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "data/arithmetic.h"

namespace townwright {
namespace {

// 1e-7 and 365.25 are doubles; the other fractions single-precision values.
constexpr Extended kTreasuryScale = 1e-7;
constexpr Extended kDaysPerYear = 365.25;
constexpr Extended kPerThousand = 0.001f;
constexpr Extended kCensusDrag = 0.043f;
constexpr Extended kWorkforceShare = 0.93f;

// Wage * headcount, which is exact: a whole wage below 2^21 times a 32-bit count is below 2^53,
// and so is the same number in double as in the extended format, without its arithmetic.
Extended Earnings(const CityState& city, int occupation) {
  const double wage = city.OccupationWage[occupation];
  const auto count = static_cast<double>(city.Headcount[occupation]);
  constexpr double kExactWage = 0x1p21;
  if (wage == std::floor(wage) && std::fabs(wage) < kExactWage) return Extended{wage * count};
  return wage * static_cast<Extended>(count);
}

// 0.5 - r, which is exact for a draw of the game's generator: a whole multiple of 2^-53 in [0, 1),
// whose difference from 0.5 is another, below 1 in magnitude: 53 bits at most, exact in double.
Extended HalfLess(double r) {
  const double scaled = r * 0x1p53;  // exact: a power of two
  if (r >= 0 && r < 1 && scaled == std::floor(scaled)) return 0.5 - r;
  return Extended{0.5} - r;
}

// Volatility / 100, a division, the dearest operation of the format in software: an occupation's
// volatility, from the catalogue, gives the same share every turn, so its latest is remembered.
Extended VolatilityShare(const CityState& city, int occupation) {
  struct Share {
    double volatility = 0;
    Extended share = 0;
  };
  thread_local std::array<Share, kOccupationCount + 1> shares;
  Share& known = shares[static_cast<std::size_t>(occupation)];
  const double volatility = city.OccupationVolatility[occupation];
  if (!(known.volatility == volatility)) known = {volatility, volatility / Extended{100}};
  return known.share;
}

void AddIncomes(CityState& city, RandomSource& random) {
  city.CitizensMonthly = 0;
  // The same for every occupation; formed once, with the very operations each would form it with.
  const Extended after_taxes = 1 - Abs(city.SalesTaxRate + Extended{city.IncomeTaxRate});
  for (int occupation = 1; occupation <= kOccupationCount; ++occupation) {
    const Extended factor = VolatilityShare(city, occupation) * HalfLess(random.NextUniform()) + 1;
    // Stored once and used by all three sums: each occupation's income has one draw a turn, and the
    // treasury, the velocity of money and the citizens' monthly must all see the same one.
    const double income = Earnings(city, occupation) * factor;
    city.Treasury = city.Treasury + income * after_taxes * kTreasuryScale;
    const Extended daily = income / kDaysPerYear;
    city.CitizensMonthly = city.CitizensMonthly + daily;
    city.VelocityOfMoney = city.VelocityOfMoney + Abs(daily);
  }
}

void AddWealth(CityState& city) {
  const Extended after_tax = 1 - Extended{city.PropertyTaxRate};  // the same for every project
  for (int project = 1; project <= kProjectCount; ++project) {
    city.Wealth = city.Wealth +
                  city.ProjectCost[project] * Extended{city.ProjectProgress[project]} * after_tax;
  }
}

// How much a project's progress moves each of the four project-driven indicators; every project
// not listed weighs 0 for all four.
struct ProjectWeights {
  int project;
  double cleanliness;
  double peacefulness;
  double sustainability;
  double quality_of_life;
};

constexpr ProjectWeights kProjectWeights[] = {
    // project  cleanliness  peacefulness  sustainability  quality of life
    {3, 0, 0, 53, 0},      // SuperLearning University
    {4, 0, 0, 8, 0},       // Color Therapy Temples
    {5, 0, 0, 15, 0},      // Healing Energy Temples
    {10, 1, 0, 0, 0},      // Wind Power
    {16, 0, 0, 0, 1},      // Community Garden Space
    {20, 4, 0, 0, 27},     // Community Free Health Care for All
    {21, 0.5, 0, 0, 0},    // Extra Police Stations
    {23, -15, 0, 98, 42},  // Magnetic Engine Assembly Plant
    {24, 0, 0, 0, 13},     // Community Recreation Center
    {25, 0, -50, 0, 31},   // Large Central Library
    {26, 0, -10, 0, -86},  // Large Prison Complex
    {27, 0, 0, 0, 10},     // Women's Health Center
    {29, 0, 0, 0, 23},     // Laughter Healing Institute
    {30, 0, 0, 52, 0},     // Public Light Rail System
    {31, 0, 0, 47, 0},     // End of Poverty Project
};

// The sum of weight x progress over the listed projects, formed from 0 in ascending project order,
// the order the formulas are written in, so that extended precision rounds them the same way.
Extended WeightedProgress(const CityState& city, double ProjectWeights::*weight) {
  Extended sum = 0;
  for (const ProjectWeights& row : kProjectWeights) {
    if (row.*weight != 0) sum = sum + row.*weight * Extended{city.ProjectProgress[row.project]};
  }
  return sum;
}

void AddProjectIndicators(CityState& city) {
  city.Cleanliness =
      city.Cleanliness + WeightedProgress(city, &ProjectWeights::cleanliness) / kDaysPerYear;
  city.Peacefulness =
      city.Peacefulness + WeightedProgress(city, &ProjectWeights::peacefulness) / kDaysPerYear;
}

void ComputeCensusAndWorkforce(CityState& city, RandomSource& random) {
  city.Census = 0;
  const Extended taxes =
      city.PropertyTaxRate + Extended{city.SalesTaxRate} + Extended{city.IncomeTaxRate};
  for (int occupation = 1; occupation <= kOccupationCount; ++occupation) {
    city.Census = Int(static_cast<Extended>(city.Headcount[occupation]) / 12 * kPerThousand -
                      taxes * city.Census * kCensusDrag) +
                  city.Census;
  }
  city.Workforce = static_cast<double>(RoundHalfEven(
      kWorkforceShare *
      Int(random.NextUniform() * Extended{city.Census} * kPerThousand + city.Census)));
}

void ComputeSustainabilityAndQuality(CityState& city) {
  city.Sustainability =
      static_cast<double>(WeightedProgress(city, &ProjectWeights::sustainability) / kDaysPerYear);
  city.QualityOfLife =
      city.QualityOfLife + WeightedProgress(city, &ProjectWeights::quality_of_life) / kDaysPerYear;
}

}  // namespace

void UpdateEconomy(CityState& city, RandomSource& random) {
  AddIncomes(city, random);
  AddWealth(city);
  AddProjectIndicators(city);
  ComputeCensusAndWorkforce(city, random);
  ComputeSustainabilityAndQuality(city);
}

}  // namespace townwright
