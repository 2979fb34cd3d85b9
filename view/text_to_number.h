#pragma once

// Reading a number from what the player typed into a tax box.

#include <string_view>

namespace townwright {

// The number at the start of `text`, read leniently: leading spaces, tabs and line feeds are
// skipped; "&H", "&B", "&O" or "&Q" (any case) start a hexadecimal, binary or octal integer, and a
// bare "&" an octal one; otherwise an optional sign, decimal digits with at most one point, and an
// optional exponent ("E", "e", "D" or "d", an optional sign, digits). Reading stops at the first
// character that does not fit; with no digit read the value is 0. The value is the nearest double
// (ties to even); one beyond the largest double is no number the game can hold and reads 0, so the
// result is always finite. Any bytes of any length are accepted.
double TextToNumber(std::string_view text);

}  // namespace townwright
