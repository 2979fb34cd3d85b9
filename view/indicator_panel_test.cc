#include "view/indicator_panel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "recording_display.h"
#include "sim/indicator_history.h"
#include "view/control_ids.h"

namespace townwright {
namespace {

using namespace control_id;
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
      {kTreasuryBox, "$-123,456"},
      {kWealthBox, "$ 1,234"},
      {kCleanlinessBox, " 12345"},
      {kPeacefulnessBox, " 0"},
      {kCensusBox, " 1,000"},
      {kSustainabilityBox, " 8"},
      {kVelocityOfMoneyBox, "$ 1,234,567"},
      {kQualityOfLifeBox, " 42"},
      {kTreasuryTrendBox, " 0%"},
      {kWealthTrendBox, " 0%"},
      {kCleanlinessTrendBox, " 0%"},
      {kPeacefulnessTrendBox, " 0%"},
      {kCensusTrendBox, " 0%"},
      {kSustainabilityTrendBox, " 0%"},
      {kVelocityOfMoneyTrendBox, " 0%"},
      {kQualityOfLifeTrendBox, " 0%"},
      {kIncomeTaxBox, " .4"},
      {kSalesTaxBox, " 12.3"},
      {kPropertyTaxBox, " 15"},
      {kCitizensMonthlyBox, "$ 27,549,077,494"},
      {kWorkforceBox, " 10,675,005"},
  };
  EXPECT_EQ(display.refreshes, expected);
  // The grouped texts are kept as shown.
  EXPECT_EQ(city.IndicatorText[1], "$-123,456");
  EXPECT_EQ(city.IndicatorText[5], " 1,000");
  EXPECT_EQ(city.IndicatorText[3], " 12345");
}

TEST_F(IndicatorPanelTest, TheStartRatesShowAsPercentages) {
  ShowIndicatorPanel(city, display);
  EXPECT_EQ(display.shown[kIncomeTaxBox], " 33");
  EXPECT_EQ(display.shown[kSalesTaxBox], " 7.5");
  EXPECT_EQ(display.shown[kPropertyTaxBox], " 15");
}

TEST_F(IndicatorPanelTest, ATrendIsUpOrDownAgainstZeroNotOne) {
  city.IndicatorRatio[1] = 1.1;
  city.IndicatorRatio[2] = 0.9;  // a fall from 1000 to 900 still reads "UP"
  city.IndicatorRatio[5] = -0.5;
  city.IndicatorRatio[6] = -4.5;
  ShowIndicatorPanel(city, display);
  EXPECT_EQ(display.shown[kTreasuryTrendBox], "UP 110%");
  EXPECT_EQ(display.shown[kWealthTrendBox], "UP 90%");
  EXPECT_EQ(display.shown[kCleanlinessTrendBox], " 0%");
  EXPECT_EQ(display.shown[kCensusTrendBox], "DN 50%");
  EXPECT_EQ(display.shown[kSustainabilityTrendBox], "DN 450%");
}

TEST_F(IndicatorPanelTest, HugeAndNonFiniteFiguresStillShow) {
  city.Treasury = 1e300;
  city.Wealth = std::numeric_limits<double>::infinity();
  city.Census = std::numeric_limits<double>::quiet_NaN();
  EndTurns(31);
  EXPECT_EQ(display.shown[kTreasuryBox], "$ 1E+300");
  EXPECT_EQ(display.shown[kWealthBox], "$ Inf");
  EXPECT_EQ(display.shown[kCensusBox], " NaN");
  EXPECT_EQ(display.shown[kTreasuryTrendBox], "UP 100%");
}

// The room a box keeps for its figure rests on these: whatever the game puts there, no text is
// longer than the longest of its form.
TEST_F(IndicatorPanelTest, NoFigureIsLongerThanTheLongestOfItsForm) {
  EXPECT_EQ(LongestFigureTexts(kTreasuryBox)->plain, "$-999,999,999,999,999");
  EXPECT_EQ(LongestFigureTexts(kTreasuryBox)->exponent, "$-1.79769313486232E+308");
  EXPECT_EQ(LongestFigureTexts(kVelocityOfMoneyTrendBox)->exponent, "DN 1.79769313486232E+308%");
  EXPECT_EQ(LongestFigureTexts(kIncomeTaxBox), std::nullopt)
      << "a tax box is typed in, and scrolls";
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
