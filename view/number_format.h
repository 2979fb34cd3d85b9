#pragma once

// The number-to-text operations behind every figure in the window. All are locale-independent.

#include <string>
#include <string_view>

namespace townwright {

// `value` rounded to `decimals` decimals (0 to 18; more count as 18, fewer as 0), ties to even:
// the product with 10^decimals is rounded to a whole number in extended precision and divided back.
double RoundDecimals(double value, int decimals);

// The game's one number-to-text conversion. The text starts with a sign position ("-", or a blank
// for zero and positive numbers). The magnitude is rounded to `significant_digits` digits (1 to 40)
// by its first dropped digit alone: below 5 cuts, above 5 rounds up, exactly 5 rounds up only when
// the last kept digit is odd. Trailing zeros are dropped; a magnitude below 1 has no "0" before
// the point (" .5"). Values needing more than `significant_digits` places before or after the
// point use the exponent form (" 1E+16", " 1.5E-17"). Infinities and NaN read " Inf", "-Inf",
// " NaN".
std::string NumberToText(double value, int significant_digits);

// A whole-number text as NumberToText writes it (a sign position and one or more digits) with ","
// between groups of three digits counted from the right: "-123456" becomes "-123,456". Any other
// text comes back unchanged.
std::string GroupThousands(std::string_view number_text);

}  // namespace townwright
