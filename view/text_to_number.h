#pragma once

// Reading a number from what the player typed into a tax box.

#include <string_view>

namespace townwright {

// The number at the start of `text`, read leniently: leading spaces, tabs and line feeds are
// skipped; "&H", "&B", "&O" or "&Q" (any case) start a hexadecimal, binary or octal integer, and a
// bare "&" an octal one; otherwise an optional sign, decimal digits with at most one point, and an
// optional exponent ("E", "e", "D" or "d", an optional sign, digits). Reading stops at the first
// character that does not fit; with no digit read the value is 0. A value too large for a double
// is an infinity with its sign. Any bytes of any length are accepted.
double TextToNumber(std::string_view text);

}  // namespace townwright
