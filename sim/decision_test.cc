#include "sim/decision.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "city_fixture.h"
#include "data/catalogue.h"

namespace townwright {
namespace {

using testing::ScriptedRandom;

class DecisionTest : public testing::CityFixture {
 protected:
  void SetUp() override {
    StartEmpty();
    city.Funds = 1000;
    for (int occupation = 1; occupation <= 60; ++occupation) city.Headcount[occupation] = 5000;
  }

  void Choose(double code, ScriptedRandom& draws) {
    city.ChoiceCode[4] = code;
    city.SelectedChoice = 4;
    ApplyDecision(city, draws);
  }

  // The head count an occupation reaches from 5000 after a decision at `progress` on `project`.
  std::uint32_t Expected(int occupation, int project, long double progress) {
    const int change = city.ProjectWorkforceEffect[occupation][project] - 128;
    return static_cast<std::uint32_t>(
        static_cast<long long>(std::nearbyint(progress * change + 5000.0L)));
  }
};

TEST_F(DecisionTest, DoNothingChangesNothingAndDraws) {
  ScriptedRandom draws({0.5});
  const CityState before = city;
  Choose(-1, draws);
  EXPECT_EQ(draws.drawn(), 0u);
  EXPECT_EQ(city.Headcount, before.Headcount);
  EXPECT_EQ(city.ProjectProgress, before.ProjectProgress);
  EXPECT_EQ(city.Funds, before.Funds);
  EXPECT_EQ(city.BuildStep, before.BuildStep);
}

TEST_F(DecisionTest, BuildTakesASinglePrecisionStepAndPaysForIt) {
  ScriptedRandom draws({0.5});
  Choose(30, draws);  // "Public Light Rail System", cost 700
  const double step = 0.10000000149011612 * 0.5;
  EXPECT_EQ(draws.drawn(), 1u);
  EXPECT_EQ(city.BuildStep, step);
  EXPECT_EQ(city.ProjectProgress[30], step);
  EXPECT_EQ(city.Funds, 1000 - 700 * step);
  EXPECT_EQ(city.VelocityOfMoney, 700 * step);
  EXPECT_EQ(city.ProjectCompleted[30], 0);
  EXPECT_EQ(city.Headcount[24], Expected(24, 30, step));  // +24, scaled by the progress
  EXPECT_EQ(city.Headcount[5], Expected(5, 30, step));    // not listed: -128, scaled
}

TEST_F(DecisionTest, ANegativeCostBringsMoneyIn) {
  ScriptedRandom draws({0.25});
  Choose(9, draws);  // "Nuclear Power Plant", cost -180
  const double step = 0.10000000149011612 * 0.25;
  EXPECT_EQ(city.Funds, 1000 + 180 * step);
  EXPECT_EQ(city.VelocityOfMoney, 180 * step);
}

TEST_F(DecisionTest, TheBuildThatPassesOneCompletesAndScalesTheWorkforceByTheNewProgress) {
  city.ProjectProgress[10] = 0.95;
  ScriptedRandom draws({0.7});
  Choose(10, draws);
  const double progress = 0.10000000149011612 * 0.7 + 0.95;
  EXPECT_GT(progress, 1);
  EXPECT_EQ(city.ProjectProgress[10], progress);
  EXPECT_EQ(city.ProjectCompleted[10], -1);
  EXPECT_EQ(city.Headcount[51], Expected(51, 10, progress));
}

TEST_F(DecisionTest, ReactivateAndHaltSetTheirSinglePrecisionProgressWithoutADraw) {
  ScriptedRandom draws({0.5});
  city.ProjectCompleted[26] = -1;
  Choose(1026, draws);
  EXPECT_EQ(city.ProjectProgress[26], 1.0010000467300415);
  EXPECT_EQ(city.Headcount[52], Expected(52, 26, 1.0010000467300415));
  Choose(2026, draws);
  EXPECT_EQ(city.ProjectProgress[26], 0.008799999952316284);
  EXPECT_EQ(city.ProjectCompleted[26], -1);
  EXPECT_EQ(draws.drawn(), 0u);
  EXPECT_EQ(city.Funds, 1000);
}

TEST_F(DecisionTest, RangeTestsAreStrict) {
  ScriptedRandom draws({}, 0.5);
  Choose(1000, draws);  // not above 1000: a Build of project 1000, which does not exist
  EXPECT_EQ(draws.drawn(), 1u);
  EXPECT_EQ(city.Headcount[1], 5000u);
  Choose(2031, draws);
  EXPECT_EQ(city.ProjectProgress[31], 0.008799999952316284);
}

TEST_F(DecisionTest, AnUnfilledSlotBuildsProjectZero) {
  ScriptedRandom draws({0.5});
  Choose(0, draws);
  const double step = 0.10000000149011612 * 0.5;
  EXPECT_EQ(city.ProjectProgress[0], step);
  EXPECT_EQ(city.Funds, 1000);
  // Project 0 lists no cell: every occupation loses round(128 * progress) people.
  for (int occupation = 1; occupation <= 60; ++occupation) {
    EXPECT_EQ(city.Headcount[occupation], Expected(occupation, 0, step));
  }
  EXPECT_EQ(city.Headcount[1], 5000u - 6);
}

TEST_F(DecisionTest, CodesThatNameNoProjectChangeNoProject) {
  const CityState before = city;
  for (const double code : {999.0, 5000.0, -7.0, std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity()}) {
    ScriptedRandom draws({0.5});
    Choose(code, draws);
    EXPECT_EQ(city.Headcount, before.Headcount) << code;
    EXPECT_EQ(city.ProjectProgress, before.ProjectProgress) << code;
    EXPECT_EQ(city.Funds, before.Funds) << code;
  }
  ScriptedRandom draws({0.5});
  city.SelectedChoice = 200;  // names no slot of the choice arrays
  ApplyDecision(city, draws);
  EXPECT_EQ(city.Headcount, before.Headcount);
}

}  // namespace
}  // namespace townwright
