// The checker of number texts must accept every form the window writes and refuse near misses, or
// the long-play test and the fuzzers would pass broken figures or stop on sound ones.

#include "number_text_form.h"

#include <gtest/gtest.h>

namespace townwright::testing {
namespace {

using Kind = NumberTextForm::Kind;

TEST(NumberTextFormTest, AcceptsEveryFormTheWindowWrites) {
  struct Case {
    const char* text;
    Kind kind;
    int significant_digits;
  };
  for (const Case& c : {Case{" 0", Kind::kZero, 0}, Case{" 42", Kind::kPlain, 2},
                        Case{"-1234", Kind::kPlain, 4}, Case{" 1000000", Kind::kPlain, 1},
                        Case{" .04", Kind::kPlain, 1}, Case{"-12.25", Kind::kPlain, 4},
                        Case{" 100.5", Kind::kPlain, 4}, Case{" 1E+16", Kind::kExponent, 1},
                        Case{"-1.5E-17", Kind::kExponent, 2}, Case{" Inf", Kind::kInfinity, 0},
                        Case{"-Inf", Kind::kInfinity, 0}, Case{" NaN", Kind::kNotANumber, 0}}) {
    const auto form = ParseNumberText(c.text);
    ASSERT_TRUE(form.has_value()) << c.text;
    EXPECT_EQ(form->kind, c.kind) << c.text;
    EXPECT_EQ(form->significant_digits, c.significant_digits) << c.text;
    EXPECT_EQ(form->negative, c.text[0] == '-') << c.text;
  }
}

TEST(NumberTextFormTest, RefusesNearMisses) {
  for (const char* text :
       {"",     "0",    "42",     "+42",  "-0",     " 042",   " 0.5",     " 7.50",
        " 7.",  " .",   " 1.E+5", " 1E5", " 1E+05", " 10E+5", " 1.50E+5", " 1E+",
        "-NaN", " inf", " 1,234", " 12 ", "  1",    "\t1"}) {
    EXPECT_FALSE(ParseNumberText(text).has_value()) << '"' << text << '"';
  }
}

TEST(NumberTextFormTest, GroupedWholeNumbers) {
  for (const char* text : {" 0", " 7", " 123", " 1,234", "-123,456", " 1,000,000,000"}) {
    EXPECT_TRUE(IsGroupedWholeNumber(text)) << text;
    EXPECT_TRUE(IsGroupedOrNumberText(text)) << text;
  }
  for (const char* text : {" 1234", " 1,23", " ,123", " 12,34,567", "-0", " 01,234", "1,234"}) {
    EXPECT_FALSE(IsGroupedWholeNumber(text)) << text;
  }
  // Where grouping does not apply the text passes unchanged; an ungrouped whole number is a fault.
  EXPECT_TRUE(IsGroupedOrNumberText(" 1E+15"));
  EXPECT_TRUE(IsGroupedOrNumberText("-Inf"));
  EXPECT_TRUE(IsGroupedOrNumberText(" 7.5"));
  EXPECT_FALSE(IsGroupedOrNumberText(" 1234"));
}

}  // namespace
}  // namespace townwright::testing
