#include "sim/economy.h"

#include <cmath>

#include "data/arithmetic.h"

namespace townwright {
namespace {

// The fractional constants of the game are single-precision values; 1e-7 and 365.25 are doubles.
constexpr Extended kTreasuryScale = 1e-7;
constexpr Extended kDaysPerYear = 365.25;
constexpr Extended kPerThousand = 0.001f;
constexpr Extended kCensusDrag = 0.043f;
constexpr Extended kWorkforceShare = 0.93f;

void AddIncomes(CityState& city, RandomSource& random) {
  city.CitizensMonthly = 0;
  for (int occupation = 1; occupation <= kOccupationCount; ++occupation) {
    const Extended factor = city.OccupationVolatility[occupation] / Extended{100} *
                                (Extended{0.5} - random.NextUniform()) +
                            1;
    // Stored once and used by all three sums, as the design's one draw per occupation requires.
    const double income = city.OccupationWage[occupation] *
                          static_cast<Extended>(city.Headcount[occupation]) * factor;
    city.Treasury =
        city.Treasury +
        income * (1 - Abs(city.SalesTaxRate + Extended{city.IncomeTaxRate})) * kTreasuryScale;
    city.CitizensMonthly = city.CitizensMonthly + income / kDaysPerYear;
    city.VelocityOfMoney = city.VelocityOfMoney + Abs(income / kDaysPerYear);
  }
}

void AddWealth(CityState& city) {
  for (int project = 1; project <= kProjectCount; ++project) {
    city.Wealth = city.Wealth + city.ProjectCost[project] *
                                    Extended{city.ProjectProgress[project]} *
                                    (1 - Extended{city.PropertyTaxRate});
  }
}

// The weighted sums of the project-driven indicators, each formed in the order written.
void AddProjectIndicators(CityState& city) {
  const auto p = [&city](int project) { return Extended{city.ProjectProgress[project]}; };
  city.Cleanliness =
      city.Cleanliness +
      (0 + 1 * p(10) + 4 * p(20) + Extended{0.5} * p(21) - 15 * p(23)) / kDaysPerYear;
  city.Peacefulness = city.Peacefulness + (-50 * p(25) - 10 * p(26)) / kDaysPerYear;
}

void ComputeCensusAndWorkforce(CityState& city, RandomSource& random) {
  city.Census = 0;
  for (int occupation = 1; occupation <= kOccupationCount; ++occupation) {
    const Extended taxes =
        city.PropertyTaxRate + Extended{city.SalesTaxRate} + Extended{city.IncomeTaxRate};
    city.Census = Int(static_cast<Extended>(city.Headcount[occupation]) / 12 * kPerThousand -
                      taxes * city.Census * kCensusDrag) +
                  city.Census;
  }
  city.Workforce = static_cast<double>(RoundHalfEven(
      kWorkforceShare *
      Int(random.NextUniform() * Extended{city.Census} * kPerThousand + city.Census)));
}

void ComputeSustainabilityAndQuality(CityState& city) {
  const auto p = [&city](int project) { return Extended{city.ProjectProgress[project]}; };
  city.Sustainability = static_cast<double>(
      (53 * p(3) + 8 * p(4) + 15 * p(5) + 98 * p(23) + 52 * p(30) + 47 * p(31)) / kDaysPerYear);
  city.QualityOfLife = city.QualityOfLife + (1 * p(16) + 27 * p(20) + 42 * p(23) + 13 * p(24) +
                                             31 * p(25) - 86 * p(26) + 10 * p(27) + 23 * p(29)) /
                                                kDaysPerYear;
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
