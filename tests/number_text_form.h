#pragma once

// What a figure in the window may look like: the grammar of the game's number texts, checked by
// the long-play test and the fuzzers against everything the window shows.

#include <optional>
#include <string_view>

namespace townwright::testing {

struct NumberTextForm {
  enum class Kind { kZero, kPlain, kExponent, kInfinity, kNotANumber };
  Kind kind = Kind::kZero;
  bool negative = false;
  int significant_digits = 0;   // of the mantissa, trailing zeros of a whole number not counted
  int places_before_point = 0;  // plain form: digits written before the point
  int places_after_point = 0;   // plain form: digits written after the point
};

// The form of `text` when it is a sign position (" " or "-") followed by " 0"'s digit, a plain
// number without superfluous zeros (" 42", "-1234", " .04", " 7.5"), an exponent form
// (" 1E+16", "-1.5E-17"), or " Inf", "-Inf", " NaN". Nothing when it is anything else.
std::optional<NumberTextForm> ParseNumberText(std::string_view text);

// A whole-number text with "," between groups of three digits (" 1,234", "-123,456", " 7").
bool IsGroupedWholeNumber(std::string_view text);

// What the window may show for a whole figure after grouping: a grouped whole number, or, where
// grouping does not apply, any other number text.
bool IsGroupedOrNumberText(std::string_view text);

}  // namespace townwright::testing
