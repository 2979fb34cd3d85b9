#include "view/indicator_panel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_display.h"

namespace townwright {
namespace {

using testing::RecordingDisplay;

class IndicatorPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    city.IncomeTaxRate = 0.33f;
    city.SalesTaxRate = 0.075f;
    city.PropertyTaxRate = 0.15f;
  }

  void RefreshTimes(int turns) {
    for (int i = 0; i < turns; ++i) RefreshIndicatorPanel(city, display);
  }

  CityState city;
  RecordingDisplay display;
};

TEST_F(IndicatorPanelTest, ShowsTwentyOneBoxesInOrderWithTheirFormats) {
  city.Treasury = -123456.5;
  city.Wealth = 1234;
  city.Cleanliness = 12345;
  city.Peacefulness = -0.3;
  city.Census = 999.5;
  city.Sustainability = 7.5;
  city.VelocityOfMoney = 1234567.49;
  city.QualityOfLife = 41.5;
  city.CitizensMonthly = 27549077494.2;
  city.Workforce = 10675005;
  city.IncomeTaxRate = 0.004;
  city.SalesTaxRate = 0.12345;
  RefreshIndicatorPanel(city, display);
  const std::vector<std::pair<int, std::string>> expected = {
      {1029, "$-123,456"},   {1030, "$ 1,234"}, {1031, " 12345"},      {1032, " 0"},
      {1033, " 1,000"},      {1034, " 8"},      {1035, "$ 1,234,567"}, {1036, " 42"},
      {1037, " 0%"},         {1038, " 0%"},     {1039, " 0%"},         {1040, " 0%"},
      {1041, " 0%"},         {1042, " 0%"},     {1043, " 0%"},         {1044, " 0%"},
      {1046, " .4"},         {1047, " 12.3"},   {1048, " 15"},         {1045, "$ 27,549,077,494"},
      {1049, " 10,675,005"},
  };
  EXPECT_EQ(display.refreshes, expected);
  // The grouped texts are kept as shown.
  EXPECT_EQ(city.IndicatorText[1], "$-123,456");
  EXPECT_EQ(city.IndicatorText[5], " 1,000");
  EXPECT_EQ(city.IndicatorText[3], " 12345");
}

TEST_F(IndicatorPanelTest, TheStartRatesShowAsPercentages) {
  RefreshIndicatorPanel(city, display);
  EXPECT_EQ(display.shown[1046], " 33");
  EXPECT_EQ(display.shown[1047], " 7.5");
  EXPECT_EQ(display.shown[1048], " 15");
}

TEST_F(IndicatorPanelTest, TurnThirtyOneComparesWithTurnOne) {
  city.Treasury = 1000;
  city.Census = 1000;
  RefreshTimes(1);
  city.Census = -500;  // a change of sign reads "DN"
  RefreshTimes(29);
  EXPECT_EQ(display.shown[1037], " 0%");
  city.Treasury = 1100;
  RefreshTimes(1);
  EXPECT_EQ(display.shown[1029], "$ 1,100");
  EXPECT_EQ(display.shown[1037], "UP 110%");
  EXPECT_EQ(display.shown[1041], "DN 50%");
  EXPECT_EQ(city.IndicatorHistory[31][1], 1000);
  EXPECT_EQ(city.IndicatorHistory[1][1], 1100);
}

TEST_F(IndicatorPanelTest, AFallReadsUpAgainstZeroNotOne) {
  city.Wealth = -200;
  RefreshTimes(30);
  city.Wealth = -100;
  RefreshTimes(1);
  EXPECT_EQ(display.shown[1038], "UP 50%");
  city.Wealth = 900;
  city.Treasury = 0;
  RefreshTimes(1);  // compares with turn 2's -200
  EXPECT_EQ(display.shown[1038], "DN 450%");
}

TEST_F(IndicatorPanelTest, AnEarlierZeroKeepsTheRatioItHad) {
  city.QualityOfLife = 10;
  RefreshTimes(30);
  city.QualityOfLife = 0;
  RefreshTimes(1);  // turn 31: 0 against 10
  EXPECT_EQ(display.shown[1044], " 0%");
  city.QualityOfLife = 15;
  RefreshTimes(29);  // turn 60 against turn 30's 10: 150 %
  EXPECT_EQ(display.shown[1044], "UP 150%");
  RefreshTimes(1);  // turn 61 against turn 31's 0: the ratio stays
  EXPECT_EQ(display.shown[1044], "UP 150%");
  EXPECT_EQ(city.IndicatorRatio[8], 1.5);
}

TEST_F(IndicatorPanelTest, HugeAndNonFiniteFiguresStillShow) {
  city.Treasury = 1e300;
  city.Wealth = std::numeric_limits<double>::infinity();
  city.Census = std::numeric_limits<double>::quiet_NaN();
  RefreshTimes(31);
  EXPECT_EQ(display.shown[1029], "$ 1E+300");
  EXPECT_EQ(display.shown[1030], "$ Inf");
  EXPECT_EQ(display.shown[1033], " NaN");
  EXPECT_EQ(display.shown[1037], "UP 100%");
}

}  // namespace
}  // namespace townwright
