#include "sim/indicator_history.h"

#include <gtest/gtest.h>

namespace townwright {
namespace {

class IndicatorHistoryTest : public ::testing::Test {
 protected:
  void EndTurns(int turns) {
    for (int i = 0; i < turns; ++i) AdvanceIndicatorHistory(city);
  }
  CityState city;
};

TEST_F(IndicatorHistoryTest, TurnThirtyOneComparesWithTurnOne) {
  city.Treasury = 1000;
  city.Census = 1000;
  EndTurns(1);
  city.Census = -500;
  EndTurns(29);
  EXPECT_EQ(city.IndicatorRatio[1], 0);  // slot 30 still held the starting 0
  city.Treasury = 1100;
  EndTurns(1);
  EXPECT_EQ(city.IndicatorRatio[1], 1.1);
  EXPECT_EQ(city.IndicatorRatio[5], -0.5);
  EXPECT_EQ(city.IndicatorHistory[31][1], 1000);
  EXPECT_EQ(city.IndicatorHistory[1][1], 1100);
}

TEST_F(IndicatorHistoryTest, AnEarlierZeroKeepsTheRatioItHad) {
  city.QualityOfLife = 10;
  EndTurns(30);
  city.QualityOfLife = 0;
  EndTurns(1);  // turn 31: 0 against 10
  EXPECT_EQ(city.IndicatorRatio[8], 0);
  city.QualityOfLife = 15;
  EndTurns(29);  // turn 60 against turn 30's 10
  EXPECT_EQ(city.IndicatorRatio[8], 1.5);
  EndTurns(1);  // turn 61 against turn 31's 0: the ratio stays
  EXPECT_EQ(city.IndicatorRatio[8], 1.5);
}

}  // namespace
}  // namespace townwright
