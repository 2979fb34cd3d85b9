#include "view/number_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <system_error>

#include "data/arithmetic.h"

namespace townwright {
namespace {

constexpr int kMaxDecimals = 18;
constexpr int kMaxSignificantDigits = 40;

// Every power of ten up to 10^18 is exact in long double.
constexpr std::array<Extended, kMaxDecimals + 1> kPowersOfTen = [] {
  std::array<Extended, kMaxDecimals + 1> powers{};
  Extended power = 1;
  for (Extended& entry : powers) {
    entry = power;
    power *= 10;
  }
  return powers;
}();

// The leading decimal digits of a positive finite magnitude, cut (not rounded) after `count`
// digits, and the decimal exponent of the first: magnitude = d1.d2d3... x 10^exponent.
struct LeadingDigits {
  std::string digits;
  int exponent = 0;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whole magnitudes that fit 64 bits are written exactly by the integer conversion: the common case.
bool LeadingDigitsOfWhole(double magnitude, int count, LeadingDigits& out) {
  constexpr double kTwoTo64 = 18446744073709551616.0;
  if (magnitude >= kTwoTo64 || magnitude != std::floor(magnitude)) return false;
  std::array<char, 24> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                    static_cast<std::uint64_t>(magnitude));
  const std::string_view all(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
  out.exponent = static_cast<int>(all.size()) - 1;
  out.digits.assign(all.substr(0, static_cast<std::size_t>(count)));
  return true;
}

// A positive finite magnitude in scientific form with `precision` digits after the first,
// rounded to nearest with ties to even: its digits without the point, and the decimal exponent.
struct ScientificForm {
  std::string digits;
  int exponent = 0;
};

#ifdef TOWNWRIGHT_FLOAT_CHARCONV

ScientificForm Scientific(double magnitude, int precision) {
  std::array<char, 800> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                    std::chars_format::scientific, precision);
  const std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
  const std::size_t e = text.find('e');
  ScientificForm form;
  form.digits += text[0];
  if (e > 1) form.digits.append(text.substr(2, e - 2));
  std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                  form.exponent);
  return form;
}

#else

// Where <charconv> has no floating point (the browser build's library), the C library's "%.*e",
// which gives the same digits. The decimal point is whatever the locale makes it, so the digits
// are picked out around it.
ScientificForm Scientific(double magnitude, int precision) {
  std::array<char, 800> buffer{};
  const int length = std::snprintf(buffer.data(), buffer.size(), "%.*e", precision, magnitude);
  const std::string_view text(buffer.data(),
                              static_cast<std::size_t>(std::clamp<int>(length, 0, 799)));
  const std::size_t e = text.find('e');
  ScientificForm form;
  for (const char c : text.substr(0, e)) {
    if (IsDigit(c)) form.digits += c;
  }
  std::size_t i = e + 1;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  for (; i < text.size() && IsDigit(text[i]); ++i)
    form.exponent = form.exponent * 10 + text[i] - '0';
  if (negative) form.exponent = -form.exponent;
  return form;
}

#endif

// Scientific digits rounded at `precision` places; true when the digits up to `count` are
// certainly those of the exact expansion, that is, no rounding carry reached them.
bool ScientificDigits(double magnitude, int count, int precision, LeadingDigits& out) {
  const ScientificForm form = Scientific(magnitude, precision);
  out.exponent = form.exponent;
  out.digits.assign(form.digits, 0, static_cast<std::size_t>(count));
  // A carry into the kept digits would have left every guard digit at 0.
  return form.digits.find_first_not_of('0', static_cast<std::size_t>(count)) != std::string::npos;
}

LeadingDigits CutLeadingDigits(double magnitude, int count) {
  LeadingDigits out;
  if (LeadingDigitsOfWhole(magnitude, count, out)) return out;
  // The digits of a fraction cost a conversion of many digits, dearest in the browser, and the
  // same few fractions come back every turn (a tax rate): the latest are remembered.
  struct Remembered {
    double magnitude = 0;  // none
    int count = 0;
    LeadingDigits digits;
  };
  thread_local std::array<Remembered, 8> remembered;
  thread_local std::size_t oldest = 0;
  for (const Remembered& earlier : remembered) {
    if (earlier.magnitude == magnitude && earlier.count == count) return earlier.digits;
  }
  constexpr int kGuardDigits = 20;
  if (!ScientificDigits(magnitude, count, count + kGuardDigits, out)) {
    // A double's exact decimal expansion has at most 767 significant digits.
    constexpr int kExactPrecision = 770;
    ScientificDigits(magnitude, count, kExactPrecision, out);
  }
  remembered[oldest] = {magnitude, count, out};
  oldest = (oldest + 1) % remembered.size();
  return out;
}

// Rounds the digit string to `kept` digits by the first dropped digit; a carry out of the first
// digit raises the exponent.
void RoundByFirstDroppedDigit(LeadingDigits& number, std::size_t kept) {
  number.digits.resize(kept + 1, '0');
  const char dropped = number.digits[kept];
  number.digits.resize(kept);
  const bool last_kept_odd = (number.digits.back() - '0') % 2 == 1;
  if (dropped < '5' || (dropped == '5' && !last_kept_odd)) return;
  for (std::size_t i = kept; i-- > 0;) {
    if (number.digits[i] != '9') {
      ++number.digits[i];
      return;
    }
    number.digits[i] = '0';
  }
  number.digits.insert(number.digits.begin(), '1');
  number.digits.pop_back();
  ++number.exponent;
}

std::string PlainForm(char sign, const std::string& digits, int exponent) {
  std::string text(1, sign);
  const auto count = static_cast<int>(digits.size());
  if (exponent < 0) {
    text += '.';
    text.append(static_cast<std::size_t>(-exponent - 1), '0');
    text += digits;
    return text;
  }
  const int whole_digits = exponent + 1;
  text.append(digits, 0, static_cast<std::size_t>(std::min(count, whole_digits)));
  if (count < whole_digits) text.append(static_cast<std::size_t>(whole_digits - count), '0');
  if (count > whole_digits) {
    text += '.';
    text.append(digits, static_cast<std::size_t>(whole_digits));
  }
  return text;
}

std::string ExponentForm(char sign, const std::string& digits, int exponent) {
  std::string text(1, sign);
  text += digits[0];
  if (digits.size() > 1) {
    text += '.';
    text.append(digits, 1);
  }
  text += exponent < 0 ? "E-" : "E+";
  text += std::to_string(exponent < 0 ? -exponent : exponent);
  return text;
}

}  // namespace

double RoundDecimals(double value, int decimals) {
  const Extended scale =
      kPowersOfTen[static_cast<std::size_t>(std::clamp(decimals, 0, kMaxDecimals))];
  return static_cast<double>(RoundHalfEven(value * scale) / scale);
}

std::string NumberToText(double value, int significant_digits) {
  if (std::isnan(value)) return " NaN";
  if (std::isinf(value)) return value < 0 ? "-Inf" : " Inf";
  if (value == 0) return " 0";  // a negative zero too
  const int d = std::clamp(significant_digits, 1, kMaxSignificantDigits);
  const char sign = value < 0 ? '-' : ' ';

  LeadingDigits number = CutLeadingDigits(std::fabs(value), d + 1);
  RoundByFirstDroppedDigit(number, static_cast<std::size_t>(d));
  number.digits.erase(number.digits.find_last_not_of('0') + 1);

  const auto count = static_cast<int>(number.digits.size());
  const int before_point = number.exponent >= 0 ? number.exponent + 1 : 0;
  const int after_point =
      number.exponent >= 0 ? std::max(0, count - before_point) : count - number.exponent - 1;
  if (before_point <= d && after_point <= d) return PlainForm(sign, number.digits, number.exponent);
  return ExponentForm(sign, number.digits, number.exponent);
}

std::string GroupThousands(std::string_view number_text) {
  const bool well_formed = number_text.size() >= 2 &&
                           (number_text[0] == ' ' || number_text[0] == '-') &&
                           std::all_of(number_text.begin() + 1, number_text.end(), IsDigit);
  if (!well_formed) return std::string(number_text);
  const std::string_view digits = number_text.substr(1);
  std::string grouped(1, number_text[0]);
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

}  // namespace townwright
