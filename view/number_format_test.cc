#include "view/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace townwright {
namespace {

struct FigureRow {
  double value;
  const char* text;
  const char* grouped;
};

TEST(NumberFormatTest, WorkedExamplesOfAWholeFigure) {
  // Value -> RoundDecimals(., 0) -> NumberToText(., 15) -> GroupThousands.
  const FigureRow rows[] = {
      {0, " 0", " 0"},
      {7, " 7", " 7"},
      {41.5, " 42", " 42"},
      {123, " 123", " 123"},
      {1234, " 1234", " 1,234"},
      {12345.4, " 12345", " 12,345"},
      {123456, " 123456", " 123,456"},
      {1234567, " 1234567", " 1,234,567"},
      {1000000000, " 1000000000", " 1,000,000,000"},
      {-42, "-42", "-42"},
      {-123, "-123", "-123"},
      {-1234, "-1234", "-1,234"},
      {-123456, "-123456", "-123,456"},
      {-2.5, "-2", "-2"},
      {-0.4, " 0", " 0"},  // rounds to a negative zero, written with a blank
      {-123456.5, "-123456", "-123,456"},
      {999.5, " 1000", " 1,000"},
  };
  for (const FigureRow& row : rows) {
    SCOPED_TRACE(row.value);
    const std::string text = NumberToText(RoundDecimals(row.value, 0), 15);
    EXPECT_EQ(text, row.text);
    EXPECT_EQ(GroupThousands(text), row.grouped);
  }
}

TEST(NumberFormatTest, RoundDecimalsGoesToEvenOnTies) {
  EXPECT_EQ(RoundDecimals(0.5, 0), 0);
  EXPECT_EQ(RoundDecimals(1.5, 0), 2);
  EXPECT_EQ(RoundDecimals(2.5, 0), 2);
  EXPECT_EQ(RoundDecimals(3.5, 0), 4);
  EXPECT_EQ(RoundDecimals(-2.5, 0), -2);
  EXPECT_TRUE(std::signbit(RoundDecimals(-0.4, 0)));
  EXPECT_EQ(RoundDecimals(12.345, 1), 12.3);
  EXPECT_EQ(RoundDecimals(0.125, 2), 0.12);  // 12.5 is exact in binary: a true tie
  // The product with 10^n is formed in extended precision: 100 * 0.33f is 33.0000013.
  EXPECT_EQ(RoundDecimals(100 * 0.33000001311302185L, 1), 33);
  EXPECT_EQ(RoundDecimals(1.25, 25), 1.25);  // more than 18 decimals count as 18
}

struct TextRow {
  double value;
  int digits;
  const char* text;
  const char* why;
};

TEST(NumberFormatTest, NumberToTextForms) {
  const TextRow rows[] = {
      {0.4, 15, " .4", "no 0 before the point"},
      {7.5, 15, " 7.5", "a fraction"},
      {-12.25, 15, "-12.25", "a negative fraction"},
      {0.04, 15, " .04", "leading zeros after the point"},
      {-0.25, 15, "-.25", "negative below one"},
      {999999999999999, 15, " 999999999999999", "fifteen digits stay plain"},
      {1e15, 15, " 1E+15", "sixteen digits take the exponent form"},
      {1e16, 15, " 1E+16", "the exponent form"},
      {1.5e-17, 15, " 1.5E-17", "too many places after the point"},
      {1e-15, 15, " .000000000000001", "fifteen places after the point stay plain"},
      {1234567890123456789.0, 15, " 1.23456789012346E+18", "rounded to fifteen digits"},
      {2009, 7, " 2009", "a year"},
      {5, 7, " 5", "a day"},
      {12345678, 7, " 1.234568E+7", "eight digits with seven significant"},
      {0.125, 2, " .12", "a first dropped 5 after an even digit cuts"},
      {0.135, 2, " .14", "a first dropped 5 after an odd digit rounds up"},
      {0.1250001, 2, " .12", "only the first dropped digit counts"},
      {0.126, 2, " .13", "above 5 rounds up"},
      {9.96, 2, " 10", "a carry through every digit"},
      {99999999.6, 7, " 1E+8", "a carry that lengthens the number"},
      {0.1, 17, " .1", "the exact expansion 0.1000000000000000055 cut at 17 digits"},
      {0.1, 18, " .100000000000000006", "and at 18"},
      {5e-324, 15, " 4.94065645841246E-324", "4.94065645841246544...: the first dropped 5 cuts"},
      {1.7976931348623157e308, 15, " 1.79769313486232E+308", "the largest double"},
      {std::numeric_limits<double>::infinity(), 15, " Inf", "infinity"},
      {-std::numeric_limits<double>::infinity(), 15, "-Inf", "negative infinity"},
      {std::numeric_limits<double>::quiet_NaN(), 15, " NaN", "not a number"},
      {-0.0, 15, " 0", "negative zero"},
  };
  for (const TextRow& row : rows) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(NumberToText(row.value, row.digits), row.text);
  }
}

TEST(NumberFormatTest, WholeNumbersBelowTenToTheFifteenAreExact) {
  for (double value = 1; value < 1e15; value = value * 7 + 3) {
    const auto expected = " " + std::to_string(static_cast<long long>(value));
    EXPECT_EQ(NumberToText(value, 15), expected);
  }
}

TEST(NumberFormatTest, GroupThousandsKeepsTheSignPositionAndLeavesOtherTextsAlone) {
  EXPECT_EQ(GroupThousands(" 123"), " 123");
  EXPECT_EQ(GroupThousands("-123456"), "-123,456");
  EXPECT_EQ(GroupThousands(" 1234567890"), " 1,234,567,890");
  for (const char* other : {" 1E+15", " 7.5", "", " ", "-", "12", " 1 2", "$ 12"}) {
    EXPECT_EQ(GroupThousands(other), other);
  }
}

}  // namespace
}  // namespace townwright
