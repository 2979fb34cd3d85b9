#include "sim/economy.h"

#include <cmath>

#include "data/arithmetic.h"

namespace townwright {
namespace {

// 1e-7 and 365.25 are doubles; the other fractions single-precision values.
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
    // Stored once and used by all three sums: each occupation's income has one draw a turn, and the
    // treasury, the velocity of money and the citizens' monthly must all see the same one.
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
