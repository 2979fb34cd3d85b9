#include "view/text_to_number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

#include "data/arithmetic.h"

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

// `text` starts just after the "&".
double ReadBasedInteger(std::string_view text) {
  int base = BaseOfPrefixLetter(text.empty() ? '\0' : text[0]);
  if (base != 0) {
    text.remove_prefix(1);
  } else {
    base = 8;
  }
  // Exact up to 2^64; beyond that extended precision keeps the result within a rounding of it.
  Extended value = 0;
  for (const char c : text) {
    const int digit = DigitValue(c, base);
    if (digit < 0) break;
    value = value * base + digit;
    // More digits only make it larger, and arithmetic on huge or infinite long doubles is slow:
    // a pasted page of digits would otherwise hold the game for seconds.
    if (value > std::numeric_limits<double>::max()) return std::numeric_limits<double>::infinity();
  }
  return static_cast<double>(value);
}

// Copies the longest prefix of `text` that has the form [+-]digits[.digits][(E|e|D|d)[+-]digits]
// into a form std::from_chars reads: no "+", "e" as the exponent letter. Empty when no mantissa
// digit was read.
std::string DecimalPrefix(std::string_view text, bool& negative) {
  std::size_t i = 0;
  negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::string number;
  bool any_digit = false;
  bool seen_point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDecimalDigit(c)) {
      any_digit = true;
    } else if (c == '.' && !seen_point) {
      seen_point = true;
    } else {
      break;
    }
    number += c;
  }
  if (!any_digit) return {};
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
      if (text[j] == '-') exponent += '-';
      ++j;
    }
    const std::size_t first_digit = j;
    while (j < text.size() && IsDecimalDigit(text[j])) exponent += text[j++];
    // An exponent letter without digits is not part of the number.
    if (j > first_digit) number += exponent;
  }
  return number;
}

// The sign of an out-of-range result: its decimal exponent decides between overflow and underflow.
bool Overflows(const std::string& number) {
  const std::size_t e = number.find('e');
  const std::string mantissa = number.substr(0, e);
  // Position of the first significant digit relative to the point, as a power of ten.
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t first = mantissa.find_first_of("123456789");
  if (first == std::string::npos) return false;
  long double magnitude_exponent = first < point ? static_cast<long double>(point - first) - 1
                                                 : -static_cast<long double>(first - point);
  if (e != std::string::npos) {
    // Exponent digits can be arbitrarily many; saturate long before long double would overflow.
    long double exponent = 0;
    std::size_t k = e + 1;
    const bool negative_exponent = k < number.size() && number[k] == '-';
    if (negative_exponent) ++k;
    for (; k < number.size() && exponent < 1e30L; ++k) exponent = exponent * 10 + (number[k] - '0');
    magnitude_exponent += negative_exponent ? -exponent : exponent;
  }
  return magnitude_exponent > 0;
}

double ReadDecimal(std::string_view text) {
  bool negative = false;
  const std::string number = DecimalPrefix(text, negative);
  if (number.empty()) return 0;
  double value = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    value = Overflows(number) ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
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
