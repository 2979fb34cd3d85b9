// What very long play and absurd input do to the numbers: the calendar past what a single-precision
// year can count, figures of 10^15 and more, rates typed beyond the range of a double, and
// infinite or undefined money from huge finite rates. The window always shows a well-formed text,
// and the game goes on.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "data/arithmetic.h"
#include "game_invariants.h"
#include "headless_game_fixture.h"
#include "number_text_form.h"

namespace townwright {
namespace {

using namespace control_id;
using testing::FindBrokenRule;
using testing::NumberTextForm;
using testing::ParseNumberText;

class LongPlayTest : public testing::HeadlessGameTest {
 protected:
  void ExpectSoundAfterTurns(int turns) {
    for (int i = 0; i < turns; ++i) {
      Press(1 + i % 9);
      const std::string broken = FindBrokenRule(city, platform, testing::Moment::kJustAfterTurn);
      ASSERT_EQ(broken, "") << "turn " << i + 1;
    }
  }
  void SetTaxTexts(const std::string& income, const std::string& sales,
                   const std::string& property) {
    game.SetTaxes(income, sales, property);
  }
};

TEST_F(LongPlayTest, TheYearStopsWhereSinglePrecisionCannotCountOn) {
  Start();
  Press(1);
  // 2^24 + 1 is not a float: the year rounds back to 2^24 at every new year.
  city.Year = 16777216.0f;
  city.Day = 27;
  city.Month = 12;
  Press(1);
  EXPECT_EQ(city.Year, 16777216.0f);
  EXPECT_EQ(Text(kYearBox), " 1.677722E+7");
  EXPECT_EQ(Text(kMonthBox), "January");
  EXPECT_EQ(Text(kDayBox), " 1");

  city.Year = std::numeric_limits<float>::max();
  city.Day = 27;
  city.Month = 12;
  Press(1);
  EXPECT_EQ(city.Year, std::numeric_limits<float>::max());
  EXPECT_EQ(Text(kYearBox), " 3.402823E+38");
  ExpectSoundAfterTurns(400);
}

TEST_F(LongPlayTest, FiguresOfTenToTheFifteenAndMoreKeepTheirExponentForm) {
  Start();
  Press(1);
  city.Treasury = 1e15;
  city.Wealth = -1e20;
  city.VelocityOfMoney = 9.99999999999999e14;  // the largest whole figure that is grouped
  Press(1);
  const auto treasury = ParseNumberText(Text(kTreasuryBox).substr(1));
  ASSERT_TRUE(treasury.has_value()) << Text(kTreasuryBox);
  EXPECT_EQ(treasury->kind, NumberTextForm::Kind::kExponent) << Text(kTreasuryBox);
  EXPECT_EQ(Text(kWealthBox).substr(0, 5), "$-1E+") << Text(kWealthBox);
  ExpectSoundAfterTurns(30);
}

TEST_F(LongPlayTest, RatesBeyondTheLargestDoubleReadZero) {
  Start();
  Press(1);
  SetTaxTexts("1E999", "-1E999", "&H" + std::string(300, 'F'));
  EXPECT_EQ(city.IncomeTaxRate, 0);
  EXPECT_EQ(city.SalesTaxRate, 0);
  EXPECT_EQ(city.PropertyTaxRate, 0);
  Press(1);
  EXPECT_EQ(Text(kIncomeTaxBox), " 0");
  EXPECT_EQ(Text(kPropertyTaxBox), " 0");
  ExpectSoundAfterTurns(20);
  EXPECT_NE(Text(kTreasuryBox), "$ NaN");
}

TEST_F(LongPlayTest, HugeFiniteRatesMakeInfiniteMoneyAndTheGameGoesOn) {
  Start();
  Press(1);
  SetTaxTexts("1E308", "1E308", "1E308");
  Press(1);
  EXPECT_EQ(Text(kIncomeTaxBox), " 1E+308");
  // Figures that outgrow a double through play are not clamped: the treasury is minus infinity
  // from now on, since every later turn adds to it.
  EXPECT_EQ(city.Treasury, -std::numeric_limits<double>::infinity());
  EXPECT_EQ(Text(kTreasuryBox), "$-Inf");
  ExpectSoundAfterTurns(60);
  EXPECT_EQ(Text(kTreasuryBox), "$-Inf");
  EXPECT_EQ(Text(kTreasuryTrendBox), " NaN%");
}

TEST_F(LongPlayTest, HugeRatesReadBackAsShown) {
  Start();
  Press(1);
  SetTaxTexts("1E304", "5", "10");
  const double typed_rate = city.IncomeTaxRate;
  Press(1);
  EXPECT_EQ(Text(kIncomeTaxBox), " 1E+304");
  Click(kUpdateTaxRates);  // reads back what the boxes show
  EXPECT_EQ(city.IncomeTaxRate, typed_rate);

  // Shown with 15 digits, the largest double rounds up beyond itself: its text reads back as 0.
  SetTaxTexts("1.7976931348623157E308", "5", "10");
  EXPECT_EQ(city.IncomeTaxRate,
            static_cast<double>(Extended{std::numeric_limits<double>::max()} / 100));
  Press(1);
  EXPECT_EQ(Text(kIncomeTaxBox), " 1.79769313486232E+308");
  Click(kUpdateTaxRates);
  EXPECT_EQ(city.IncomeTaxRate, 0);
  ExpectSoundAfterTurns(20);
}

}  // namespace
}  // namespace townwright
