#include "view/text_to_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace townwright {
namespace {

constexpr double kLargest = std::numeric_limits<double>::max();

struct Row {
  std::string text;
  double value;
  const char* why;
};

TEST(TextToNumberTest, ReadsTheLeadingNumber) {
  const Row rows[] = {
      {"12.5", 12.5, "a fraction"},
      {"  7", 7, "after two spaces"},
      {"15%", 15, "stops at the percent sign"},
      {"1,000", 1, "stops at the comma"},
      {"abc", 0, "no digit"},
      {"", 0, "the empty text"},
      {"-3", -3, "a negative number"},
      {"2E1", 20, "an exponent"},
      {"25", 25, "a whole number"},
      {" 7.5", 7.5, "what the box shows"},
      {"12.345", 12.345, "three decimals"},
      {"\t\n 4", 4, "tabs and line feeds are skipped"},
      {"\r4", 0, "a carriage return is not"},
      {"+5", 5, "a plus sign"},
      {"- 5", 0, "a sign must touch its digits"},
      {"-", 0, "a sign alone"},
      {".", 0, "a point alone"},
      {".5", 0.5, "no digit before the point"},
      {"5.", 5, "no digit after the point"},
      {"1.2.3", 1.2, "one point at most"},
      {"2d2", 200, "D is an exponent letter"},
      {"2E-1", 0.2, "a negative exponent"},
      {"2E", 2, "an exponent letter without digits"},
      {"2E+", 2, "an exponent sign without digits"},
      {"1e99999", 0, "beyond the largest double is no number"},
      {"-1e99999", 0, "with either sign"},
      {"1.7976931348623157E308", kLargest, "the largest double"},
      {"1.79769313486232E308", 0, "its 15-digit text lies beyond it"},
      {"1e-99999", 0, "too small is zero"},
      {"1E-320", 1e-320, "a subnormal number"},
      {"0e99999999999999999999999", 0, "zero with a huge exponent"},
      {"1e999999999999999999999999999999999999999", 0, "an exponent beyond any integer"},
      {"&H10", 16, "hexadecimal"},
      {"&hff", 255, "hexadecimal in lower case"},
      {"&B101", 5, "binary"},
      {"&O17", 15, "octal"},
      {"&q17", 15, "octal by Q"},
      {"&17", 15, "a bare & reads octal"},
      {"&18", 1, "8 is no octal digit"},
      {"&H1G", 1, "G is no hexadecimal digit"},
      {"&", 0, "no digits"},
      {"&H", 0, "no digits after the letter"},
      {" &H-1", 0, "no sign in a based integer"},
      {"&H20000000000001", 0x1p53, "2^53 + 1 ties to even"},
      {"&H20000000000003", 0x1p53 + 4, "2^53 + 3 ties to even, upwards"},
      {"&H200000000000010000", 0x1p69, "beyond 64 bits a tie still goes to even"},
      {"&H200000000000010001", 0x1p69 + 0x1p17, "a bit set far below breaks the tie"},
      {"&B" + std::string(53, '1') + std::string(971, '0'), kLargest, "the largest double"},
      {"&B" + std::string(53, '1') + "01" + std::string(969, '0'), kLargest,
       "within half a unit of the largest double"},
      {"&B" + std::string(54, '1') + std::string(970, '0'), 0, "rounds beyond the largest double"},
      {std::string("1\0"
                   "2",
                   3),
       1, "an embedded NUL ends the number"},
      {"\xff"
       "5",
       0, "a byte above 127 is no digit"},
      {"7\xe2\x82\xac", 7, "stops at non-ASCII bytes"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(TextToNumber(row.text), row.value);
  }
}

TEST(TextToNumberTest, TakesTextsOfAnyLength) {
  EXPECT_EQ(TextToNumber("&H" + std::string(40, 'F')), std::ldexp(1.0, 160));
  EXPECT_EQ(TextToNumber("&H" + std::string(300, 'F')), 0);
  EXPECT_EQ(TextToNumber("&B" + std::string(1'000'000, '1')), 0);
  EXPECT_EQ(TextToNumber("&H" + std::string(1'000'000, '0') + "1"), 1);
  EXPECT_EQ(TextToNumber(std::string(100000, '9')), 0);
  EXPECT_EQ(TextToNumber("1" + std::string(300, '0')), 1e300);
  EXPECT_EQ(TextToNumber("0." + std::string(100000, '0') + "1e100005"), 1e4);
  EXPECT_EQ(TextToNumber(std::string(100000, ' ') + "3"), 3);
  EXPECT_EQ(TextToNumber(std::string(100000, '\0')), 0);
  std::string every_byte;
  for (int b = 0; b < 256; ++b) every_byte += static_cast<char>(b);
  EXPECT_EQ(TextToNumber(every_byte), 0);
}

TEST(TextToNumberTest, ZeroKeepsTheSignOfANumberOnly) {
  EXPECT_TRUE(std::signbit(TextToNumber("-0")));  // a number, negative zero as typed
  EXPECT_TRUE(std::signbit(TextToNumber("-1e-99999")));
  EXPECT_EQ(TextToNumber("-abc"), 0);
  EXPECT_FALSE(std::signbit(TextToNumber("-abc")));
  EXPECT_FALSE(std::signbit(TextToNumber("-1e999")));  // no number, like "-abc"
}

}  // namespace
}  // namespace townwright
