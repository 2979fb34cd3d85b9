// Every double, as the window would show it. The input's first 8 bytes are the value's bit pattern
// (so subnormals, both zeros, infinities and NaNs come up), the next two choose a digit count and
// a count of decimals. For the game's digit counts, 7 and 15, and for the chosen one:
// - the text is a sign position and a well-formed number, exponent form or non-finite text, with
//   the sign of the value, at most that many significant digits, in plain form exactly when it
//   fits, and it reads back as the value to within its rounding;
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
  // Read back at extended precision. Rounding by the first dropped digit alone moves the value by
  // less than one unit of the last kept digit (1.1167085 keeps 1.116708: its first dropped digit
  // is a 5 after an even one), and the reading adds a rounding of the long double.
  const long double read_back = std::strtold(text.c_str(), nullptr);
  const long double relative_error = std::fabs((read_back - value) / value);
  const long double allowed = std::pow(10.0L, 1 - digits) + 1e-18L;
  Require(relative_error <= allowed, what + ": reads back as a different number");
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
