#include "sim/economy.h"

#include <gtest/gtest.h>

#include <vector>

#include "city_fixture.h"
#include "data/arithmetic.h"

namespace townwright {
namespace {

using testing::ScriptedRandom;

class EconomyTest : public testing::CityFixture {
 protected:
  void SetUp() override {
    StartEmpty();
    city.IncomeTaxRate = 0.33f;
    city.SalesTaxRate = 0.075f;
    city.PropertyTaxRate = 0.15f;
  }
};

TEST_F(EconomyTest, MatchesFiguresWorkedOutByHandForAMixedTown) {
  // Reference figures computed in exact rational arithmetic, rounding to double where the game
  // stores; they agree with extended-precision evaluation to within a few units in the last place.
  for (int occupation = 1; occupation <= 60; ++occupation) {
    city.Headcount[occupation] = static_cast<std::uint32_t>((occupation * 7919) % 100000);
  }
  const std::pair<int, double> progress[] = {{3, 0.5},     {10, 1.0010000467300415},
                                             {20, 0.25},   {21, 0.75},
                                             {23, 0.0088}, {25, 0.125},
                                             {26, 1.5},    {30, 0.0625},
                                             {31, 0.3}};
  for (const auto& [project, value] : progress) city.ProjectProgress[project] = value;
  std::vector<double> draws;
  for (int i = 0; i < 61; ++i) draws.push_back((i + 1) / 64.0);
  ScriptedRandom random(draws);

  UpdateEconomy(city, random);

  EXPECT_EQ(random.drawn(), 61u);
  EXPECT_DOUBLE_EQ(city.Treasury, 6.725770301641069);
  EXPECT_DOUBLE_EQ(city.CitizensMonthly, 309481.6136550309);
  EXPECT_DOUBLE_EQ(city.VelocityOfMoney, 430780.0411875428);
  EXPECT_DOUBLE_EQ(city.Wealth, 34.9633898342669);
  EXPECT_DOUBLE_EQ(city.Cleanliness, 0.006143737294264316);
  EXPECT_DOUBLE_EQ(city.Peacefulness, -0.05817932922655715);
  EXPECT_EQ(city.Census, 115);
  EXPECT_EQ(city.Workforce, 107);
  EXPECT_DOUBLE_EQ(city.Sustainability, 0.12241587953456537);
  EXPECT_DOUBLE_EQ(city.QualityOfLife, -0.32308117727583846);
}

TEST_F(EconomyTest, EveryProjectWeighsOnTheFourIndicatorsWithItsOwnWeight) {
  // Project P at progress P/64: every weight shows in its sum on its own, and every product and
  // sum below is exact, so the only rounding is the division by 365.25, in the extended format of
  // every figure (long double is that format on x86 alone).
  for (int project = 1; project <= 31; ++project) city.ProjectProgress[project] = project / 64.0;
  ScriptedRandom random({}, 0.5);
  UpdateEconomy(city, random);
  const auto per_turn = [](double weighted_project_numbers) {
    return static_cast<double>(Extended{weighted_project_numbers / 64} / 365.25);
  };
  EXPECT_EQ(city.Cleanliness, per_turn(1 * 10 + 4 * 20 + 0.5 * 21 - 15 * 23));
  EXPECT_EQ(city.Peacefulness, per_turn(-50 * 25 - 10 * 26));
  EXPECT_EQ(city.Sustainability, per_turn(53 * 3 + 8 * 4 + 15 * 5 + 98 * 23 + 52 * 30 + 47 * 31));
  EXPECT_EQ(city.QualityOfLife,
            per_turn(1 * 16 + 27 * 20 + 42 * 23 + 13 * 24 + 31 * 25 - 86 * 26 + 10 * 27 + 23 * 29));
}

TEST_F(EconomyTest, AnEmptyTownEarnsNothing) {
  city.Treasury = 12;
  ScriptedRandom random({}, 0.3);
  UpdateEconomy(city, random);
  EXPECT_EQ(city.Treasury, 12);
  EXPECT_EQ(city.CitizensMonthly, 0);
  EXPECT_EQ(city.Census, 0);
  EXPECT_EQ(city.Workforce, 0);
  EXPECT_EQ(random.drawn(), 61u);
}

TEST_F(EconomyTest, IncomeAndSalesTaxesAddingUpToOneStopTheTreasury) {
  city.IncomeTaxRate = 0.5;
  city.SalesTaxRate = 0.5;
  city.Headcount[2] = 100000;
  ScriptedRandom random({}, 0.3);
  UpdateEconomy(city, random);
  EXPECT_EQ(city.Treasury, 0);
  EXPECT_GT(city.CitizensMonthly, 0);
  city.SalesTaxRate = 0.75;  // above one: positive incomes now shrink the treasury
  UpdateEconomy(city, random);
  EXPECT_LT(city.Treasury, 0);
}

TEST_F(EconomyTest, ANegativeIncomeFactorLowersTheTreasuryButStillMovesMoney) {
  city.Headcount[37] = 1000;  // "inventor": spread 100000 %, factor down to about -499
  ScriptedRandom random({}, 0.9);
  UpdateEconomy(city, random);
  EXPECT_LT(city.Treasury, 0);
  EXPECT_LT(city.CitizensMonthly, 0);
  EXPECT_DOUBLE_EQ(city.VelocityOfMoney, -city.CitizensMonthly);
}

TEST_F(EconomyTest, CensusScalesHeadCountsByTheSinglePrecisionThousandth) {
  // 4283999880 / 12 * 0.001 is 356999.99 with a double thousandth but 357000.007 with the
  // single-precision one, whose INT is one higher.
  city.IncomeTaxRate = city.SalesTaxRate = city.PropertyTaxRate = 0;
  city.Headcount[1] = 4283999880u;
  ScriptedRandom random({}, 0);
  UpdateEconomy(city, random);
  EXPECT_EQ(city.Census, 357000);
}

TEST_F(EconomyTest, WorkforceIsTheSinglePrecisionShareOfTheCensus) {
  // Census 60 * 357000; the draw lifts INT(...) by 93 to 21420093, and 0.93 of that is
  // 19920686.49 with a double share but 19920686.64 with the single-precision one.
  city.IncomeTaxRate = city.SalesTaxRate = city.PropertyTaxRate = 0;
  for (int occupation = 1; occupation <= 60; ++occupation) city.Headcount[occupation] = 4283999880u;
  std::vector<double> draws(60, 0.5);
  draws.push_back(93.5 / 21420.0);
  ScriptedRandom random(draws);
  UpdateEconomy(city, random);
  EXPECT_EQ(city.Census, 21420000);
  EXPECT_EQ(city.Workforce, 19920687);
}

TEST_F(EconomyTest, ACountHeldBelowZeroReadsAsItsWrappedValue) {
  // A head count that went to -128 is held as 4294967168, and the economy reads that count.
  city.IncomeTaxRate = city.SalesTaxRate = city.PropertyTaxRate = 0;
  city.Headcount[1] = 4294967168u;
  ScriptedRandom random({}, 0.5);  // factor exactly 1
  UpdateEconomy(city, random);
  EXPECT_DOUBLE_EQ(city.CitizensMonthly, 58.0 * 4294967168.0 / 365.25);
  EXPECT_EQ(city.Census, 357913);  // INT(4294967168 / 12 * 0.001)
}

TEST_F(EconomyTest, SustainabilityFollowsTheCurrentProgressOnly) {
  city.ProjectProgress[30] = 1.5;
  ScriptedRandom random({}, 0.5);
  UpdateEconomy(city, random);
  EXPECT_DOUBLE_EQ(city.Sustainability, 52 * 1.5 / 365.25);
  city.ProjectProgress[30] = 0.008799999952316284;  // halted
  UpdateEconomy(city, random);
  EXPECT_DOUBLE_EQ(city.Sustainability, 52 * 0.008799999952316284 / 365.25);
}

}  // namespace
}  // namespace townwright
