#include "view/indicator_panel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "recording_display.h"
#include "sim/indicator_history.h"

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

  // What the end of each turn does: the history moves on, then the panel shows.
  void EndTurns(int turns) {
    for (int i = 0; i < turns; ++i) {
      AdvanceIndicatorHistory(city);
      ShowIndicatorPanel(city, display);
    }
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
  ShowIndicatorPanel(city, display);
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
  ShowIndicatorPanel(city, display);
  EXPECT_EQ(display.shown[1046], " 33");
  EXPECT_EQ(display.shown[1047], " 7.5");
  EXPECT_EQ(display.shown[1048], " 15");
}

TEST_F(IndicatorPanelTest, ATrendIsUpOrDownAgainstZeroNotOne) {
  city.IndicatorRatio[1] = 1.1;
  city.IndicatorRatio[2] = 0.9;  // a fall from 1000 to 900 still reads "UP"
  city.IndicatorRatio[5] = -0.5;
  city.IndicatorRatio[6] = -4.5;
  ShowIndicatorPanel(city, display);
  EXPECT_EQ(display.shown[1037], "UP 110%");
  EXPECT_EQ(display.shown[1038], "UP 90%");
  EXPECT_EQ(display.shown[1039], " 0%");
  EXPECT_EQ(display.shown[1041], "DN 50%");
  EXPECT_EQ(display.shown[1042], "DN 450%");
}

TEST_F(IndicatorPanelTest, HugeAndNonFiniteFiguresStillShow) {
  city.Treasury = 1e300;
  city.Wealth = std::numeric_limits<double>::infinity();
  city.Census = std::numeric_limits<double>::quiet_NaN();
  EndTurns(31);
  EXPECT_EQ(display.shown[1029], "$ 1E+300");
  EXPECT_EQ(display.shown[1030], "$ Inf");
  EXPECT_EQ(display.shown[1033], " NaN");
  EXPECT_EQ(display.shown[1037], "UP 100%");
}

// The room a box keeps for its figure rests on these: whatever the game puts there, no text is
// longer than the longest of its form.
TEST_F(IndicatorPanelTest, NoFigureIsLongerThanTheLongestOfItsForm) {
  EXPECT_EQ(LongestFigureTexts(1029)->plain, "$-999,999,999,999,999");
  EXPECT_EQ(LongestFigureTexts(1029)->exponent, "$-1.79769313486232E+308");
  EXPECT_EQ(LongestFigureTexts(1043)->exponent, "DN 1.79769313486232E+308%");
  EXPECT_EQ(LongestFigureTexts(1046), std::nullopt) << "a tax box is typed in, and scrolls";
  std::mt19937_64 chance(7);
  const double extremes[] = {0,
                             -0.0,
                             999999999999999.4,
                             -999999999999999.5,
                             1e15,
                             -1e15,
                             1e308,
                             -std::numeric_limits<double>::max(),
                             -1e-300};
  for (int draw = 0; draw < 20000; ++draw) {
    // Magnitudes from a millionth to the largest double, either sign.
    const auto any = [&] {
      if (draw < 9) return extremes[draw];
      const double magnitude = std::pow(10.0, std::uniform_real_distribution(-6.0, 308.0)(chance));
      return chance() % 2 == 0 ? magnitude : -magnitude;
    };
    city.Treasury = any();
    city.Wealth = any();
    city.Cleanliness = any();
    city.Census = any();
    city.VelocityOfMoney = any();
    city.CitizensMonthly = any();
    city.Workforce = std::floor(any());
    for (int k = 1; k <= kIndicatorCount; ++k) city.IndicatorRatio[k] = any() / 100;
    ShowIndicatorPanel(city, display);
    for (const auto& [box, text] : display.shown) {
      const auto longest = LongestFigureTexts(box);
      if (!longest) continue;
      const bool exponent = text.find('E') != std::string::npos;
      ASSERT_LE(text.size(), (exponent ? longest->exponent : longest->plain).size())
          << box << " shows \"" << text << "\"";
    }
  }
}

}  // namespace
}  // namespace townwright
