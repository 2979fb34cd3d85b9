// Every double, as the window would show it. The input's first 8 bytes are the value's bit pattern
// (so subnormals, both zeros, infinities and NaNs come up), the next two choose a digit count and
// a count of decimals. For the game's digit counts, 7 and 15, and for the chosen one:
// - the text is a sign position and a well-formed number, exponent form or non-finite text, with
//   the sign of the value, at most that many significant digits, in plain form exactly when it
//   fits, and its digits are those of the exact value rounded by the first dropped digit;
// - the whole figure, grouped, is a grouped whole number or passes through unchanged;
// - rounding to a count of decimals keeps a finite value finite and, for none, agrees with the
//   library's round-to-nearest-even.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "number_text_form.h"
#include "view/number_format.h"

namespace townwright::fuzzing {
namespace {

using testing::NumberTextForm;

std::string Describe(double value, int digits, const std::string& text) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "%a with %d digits gave \"", value, digits);
  return buffer + text + "\"";
}

// The significant digits of a number, without trailing zeros, and the decimal exponent of the
// first: 1234.5 is {"12345", 3}, .04 is {"4", -2}.
struct ShownDigits {
  std::string digits;
  int exponent = 0;
};

ShownDigits DigitsOfText(const std::string& text) {
  ShownDigits shown;
  const std::size_t e = text.find('E');
  if (e != std::string::npos) {
    for (std::size_t i = 1; i < e; ++i) {
      if (text[i] != '.') shown.digits += text[i];
    }
    shown.exponent = std::atoi(text.c_str() + e + 1);
    return shown;
  }
  const std::size_t point = std::min(text.find('.'), text.size());
  int position = static_cast<int>(point) - 2;  // the exponent of the digit after the sign
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] == '.') continue;
    if (shown.digits.empty() && text[i] == '0') {
      --position;
      continue;
    }
    if (shown.digits.empty()) shown.exponent = position;
    shown.digits += text[i];
    --position;
  }
  shown.digits.erase(shown.digits.find_last_not_of('0') + 1);
  return shown;
}

// The digits the window must show, from the C library's exact expansion (780 places hold every
// double's): cut after `digits`, rounded up when the first dropped digit is above 5, or is 5 after
// an odd digit.
ShownDigits ExpectedDigits(double magnitude, int digits) {
  static char buffer[1024];
  std::snprintf(buffer, sizeof buffer, "%.780e", magnitude);
  const std::string text = buffer;
  const std::size_t e = text.find('e');
  std::string all = text.substr(0, 1) + text.substr(2, e - 2);
  ShownDigits expected{all.substr(0, static_cast<std::size_t>(digits)),
                       std::atoi(text.c_str() + e + 1)};
  const char dropped = all[static_cast<std::size_t>(digits)];
  const bool odd = (expected.digits.back() - '0') % 2 == 1;
  if (dropped > '5' || (dropped == '5' && odd)) {
    std::size_t i = expected.digits.size();
    while (i > 0 && expected.digits[i - 1] == '9') expected.digits[--i] = '0';
    if (i == 0) {
      expected.digits.insert(expected.digits.begin(), '1');
      ++expected.exponent;
    } else {
      ++expected.digits[i - 1];
    }
  }
  expected.digits.erase(expected.digits.find_last_not_of('0') + 1);
  return expected;
}

void CheckNumberText(double value, int digits) {
  const std::string text = NumberToText(value, digits);
  const auto form = testing::ParseNumberText(text);
  const std::string what = Describe(value, digits, text);
  Require(form.has_value(), what + ": not a number text");
  if (std::isnan(value)) {
    Require(form->kind == NumberTextForm::Kind::kNotANumber, what);
    return;
  }
  if (std::isinf(value)) {
    Require(form->kind == NumberTextForm::Kind::kInfinity && form->negative == (value < 0), what);
    return;
  }
  if (value == 0) {
    Require(form->kind == NumberTextForm::Kind::kZero, what);
    return;
  }
  Require(form->negative == (value < 0), what + ": wrong sign");
  Require(form->significant_digits <= digits, what + ": too many digits");
  if (form->kind == NumberTextForm::Kind::kPlain) {
    Require(form->places_before_point <= digits && form->places_after_point <= digits,
            what + ": too long for the plain form");
  }
  const ShownDigits shown = DigitsOfText(text);
  const ShownDigits expected = ExpectedDigits(std::fabs(value), digits);
  Require(shown.digits == expected.digits && shown.exponent == expected.exponent,
          what + ": expected the digits " + expected.digits + " with exponent " +
              std::to_string(expected.exponent));
  if (form->kind == NumberTextForm::Kind::kExponent) {
    const auto count = static_cast<int>(shown.digits.size());
    const int before = shown.exponent >= 0 ? shown.exponent + 1 : 0;
    const int after =
        shown.exponent >= 0 ? std::max(0, count - before) : count - shown.exponent - 1;
    Require(before > digits || after > digits, what + ": the plain form would have fitted");
  }
}

void CheckGroupedFigure(double value) {
  const std::string whole = NumberToText(RoundDecimals(value, 0), 15);
  const std::string grouped = GroupThousands(whole);
  Require(testing::IsGroupedOrNumberText(grouped), Describe(value, 15, grouped));
  // Grouping only ever adds commas.
  std::string without_commas = grouped;
  std::erase(without_commas, ',');
  Require(without_commas == whole, Describe(value, 15, grouped) + ": grouping changed the digits");
}

void CheckRoundDecimals(double value, int decimals) {
  const double rounded = RoundDecimals(value, decimals);
  if (std::isfinite(value)) {
    Require(std::isfinite(rounded), Describe(value, decimals, "") + " rounded to infinity");
  }
  if (decimals <= 0 && !std::isnan(value)) {
    Require(rounded == std::nearbyint(value), Describe(value, decimals, "") + " rounded wrongly");
  }
}

}  // namespace
}  // namespace townwright::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace townwright::fuzzing;
  std::uint8_t bytes[10] = {};
  std::memcpy(bytes, data, std::min(size, sizeof bytes));
  double value = 0;
  std::memcpy(&value, bytes, sizeof value);
  const int chosen_digits = 1 + bytes[8] % 40;
  const int decimals = static_cast<int>(bytes[9] % 24) - 2;  // also out of range: -2 to 21

  for (const int digits : {7, 15, chosen_digits}) CheckNumberText(value, digits);
  CheckGroupedFigure(value);
  CheckRoundDecimals(value, decimals);
  return 0;
}
