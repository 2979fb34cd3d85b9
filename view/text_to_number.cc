#include "view/text_to_number.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <system_error>

namespace townwright {
namespace {

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// The value of `c` as a digit in `base` (2, 8 or 16), or -1 when it is not one.
int DigitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9') value = c - '0';
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < base ? value : -1;
}

int BaseOfPrefixLetter(char letter) {
  switch (letter) {
    case 'H':
    case 'h':
      return 16;
    case 'B':
    case 'b':
      return 2;
    case 'O':
    case 'o':
    case 'Q':
    case 'q':
      return 8;
    default:
      return 0;
  }
}

// `text` starts just after the "&". Digits in base 2, 8 and 16 are groups of bits, so the value is
// a bit string: its first 64 significant bits and whether any later bit is set decide the nearest
// double exactly, with no arithmetic that could round differently on another processor.
double ReadBasedInteger(std::string_view text) {
  int base = BaseOfPrefixLetter(text.empty() ? '\0' : text[0]);
  if (base != 0) {
    text.remove_prefix(1);
  } else {
    base = 8;
  }
  const int bits_per_digit = base == 16 ? 4 : base == 8 ? 3 : 1;
  std::uint64_t leading_bits = 0;  // the first 64 significant bits
  int bits = 0;                    // significant bits read
  bool later_bit_set = false;
  for (const char c : text) {
    const int digit = DigitValue(c, base);
    if (digit < 0) break;
    for (int b = bits_per_digit - 1; b >= 0; --b) {
      const bool bit = ((digit >> b) & 1) != 0;
      if (bits == 0 && !bit) continue;
      if (bits < 64) {
        leading_bits = (leading_bits << 1) | static_cast<std::uint64_t>(bit);
      } else {
        later_bit_set = later_bit_set || bit;
      }
      ++bits;
    }
    // 2^1024 and more is beyond a double whatever follows; stopping here keeps a pasted page of
    // digits from holding the game.
    if (bits > std::numeric_limits<double>::max_exponent) return 0;
  }
  // Up to 64 bits the conversion is exact before its one rounding, to nearest with ties to even.
  if (bits <= 64) return static_cast<double>(leading_bits);
  constexpr int kDroppedBits = 64 - std::numeric_limits<double>::digits;
  constexpr std::uint64_t kHalf = std::uint64_t{1} << (kDroppedBits - 1);
  std::uint64_t kept = leading_bits >> kDroppedBits;
  const std::uint64_t dropped = leading_bits & ((kHalf << 1) - 1);
  if (dropped > kHalf || (dropped == kHalf && (later_bit_set || (kept & 1) != 0))) ++kept;
  const double value = std::ldexp(static_cast<double>(kept), bits - 64 + kDroppedBits);
  // Rounded up to 2^1024: beyond the largest double, which is no number the game can hold.
  return std::isinf(value) ? 0 : value;
}

// The longest prefix of `text` of the form [+-]digits[.digits][(E|e|D|d)[+-]digits], as the whole
// number `digits` (no leading or trailing zeros; empty for zero) times 10^scale.
struct DecimalNumber {
  bool any_digit = false;  // false: no number at all
  bool negative = false;
  std::string digits;
  std::int64_t scale = 0;
};

// Exponents are saturated here, far beyond where any double lies, so that no number of exponent
// digits overflows.
constexpr std::int64_t kSaturatedExponent = 1'000'000'000'000;

DecimalNumber ReadDecimalPrefix(std::string_view text) {
  DecimalNumber number;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) number.negative = text[i++] == '-';
  bool seen_point = false;
  std::int64_t digits_after_point = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDecimalDigit(c)) {
      number.any_digit = true;
      if (seen_point) ++digits_after_point;
      if (c != '0' || !number.digits.empty()) number.digits += c;
    } else if (c == '.' && !seen_point) {
      seen_point = true;
    } else {
      break;
    }
  }
  if (!number.any_digit) return number;
  std::int64_t exponent = 0;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    std::size_t j = i + 1;
    const bool negative_exponent = j < text.size() && text[j] == '-';
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    // An exponent letter without digits is not part of the number.
    for (; j < text.size() && IsDecimalDigit(text[j]); ++j) {
      if (exponent < kSaturatedExponent) exponent = exponent * 10 + (text[j] - '0');
    }
    if (negative_exponent) exponent = -exponent;
  }
  const std::size_t last = number.digits.find_last_not_of('0');
  const auto trailing_zeros =
      static_cast<std::int64_t>(last == std::string::npos ? 0 : number.digits.size() - last - 1);
  number.digits.resize(number.digits.size() - static_cast<std::size_t>(trailing_zeros));
  number.scale = exponent - digits_after_point + trailing_zeros;
  return number;
}

// The nearest double to a text of digits, "e" and an exponent, or nothing when that lies beyond
// the largest double (`beyond_one` tells an overflow from an underflow).
#ifdef TOWNWRIGHT_FLOAT_CHARCONV

std::optional<double> NearestDouble(const std::string& text, bool beyond_one) {
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    if (beyond_one) return std::nullopt;
    return 0.0;
  }
  return value;
}

#else

// Where <charconv> has no floating point (the browser build's library), the C library's strtod,
// which rounds the same way. The text has no decimal point, so the locale cannot change it.
std::optional<double> NearestDouble(const std::string& text, bool /*beyond_one*/) {
  const double value = std::strtod(text.c_str(), nullptr);
  if (std::isinf(value)) return std::nullopt;
  return value;
}

#endif

double ReadDecimal(std::string_view text) {
  const DecimalNumber number = ReadDecimalPrefix(text);
  if (!number.any_digit) return 0;
  if (number.digits.empty()) return number.negative ? -0.0 : 0.0;
  // The value lies in [10^(magnitude - 1), 10^magnitude). Doubles lie within 10^-324 and 10^309;
  // far outside them the answer is known without asking the library for it.
  const std::int64_t magnitude = static_cast<std::int64_t>(number.digits.size()) + number.scale;
  std::optional<double> value;
  if (magnitude > 320) {
    value = std::nullopt;
  } else if (magnitude < -330) {
    value = 0.0;
  } else {
    value = NearestDouble(number.digits + "e" + std::to_string(number.scale), magnitude > 0);
  }
  // Beyond the largest double is no number the game can hold: like unreadable text, it reads 0
  // (an infinite rate would make the money no number for the rest of the game). Below the
  // smallest it is as near to 0 as a double comes, and keeps its sign.
  if (!value) return 0;
  return number.negative ? -*value : *value;
}

}  // namespace

double TextToNumber(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() &&
         (text[start] == ' ' || text[start] == '\t' || text[start] == '\n')) {
    ++start;
  }
  text.remove_prefix(start);
  if (!text.empty() && text[0] == '&') return ReadBasedInteger(text.substr(1));
  return ReadDecimal(text);
}

}  // namespace townwright
