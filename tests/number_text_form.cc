#include "number_text_form.h"

#include <cstddef>

namespace townwright::testing {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t CountDigits(std::string_view text, std::size_t from) {
  std::size_t end = from;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return end - from;
}

// "1", "1.5", "9.25": one non-zero digit, then optionally a point and digits ending in non-zero.
std::optional<int> ExponentMantissaDigits(std::string_view mantissa) {
  if (mantissa.empty() || mantissa[0] < '1' || mantissa[0] > '9') return std::nullopt;
  if (mantissa.size() == 1) return 1;
  const std::size_t fraction = CountDigits(mantissa, 2);
  if (mantissa[1] != '.' || fraction == 0 || 2 + fraction != mantissa.size() ||
      mantissa.back() == '0') {
    return std::nullopt;
  }
  return static_cast<int>(1 + fraction);
}

std::optional<NumberTextForm> ParseExponentForm(std::string_view body, NumberTextForm form) {
  const std::size_t e = body.find('E');
  const auto mantissa_digits = ExponentMantissaDigits(body.substr(0, e));
  if (!mantissa_digits || e + 2 >= body.size()) return std::nullopt;
  if (body[e + 1] != '+' && body[e + 1] != '-') return std::nullopt;
  const std::string_view exponent = body.substr(e + 2);
  if (exponent[0] == '0' || CountDigits(exponent, 0) != exponent.size()) return std::nullopt;
  form.kind = NumberTextForm::Kind::kExponent;
  form.significant_digits = *mantissa_digits;
  return form;
}

std::optional<NumberTextForm> ParsePlainForm(std::string_view body, NumberTextForm form) {
  const std::size_t whole = CountDigits(body, 0);
  if (whole > 0 && body[0] == '0') return std::nullopt;  // " 0" itself is handled before
  std::size_t fraction = 0;
  if (whole < body.size()) {
    if (body[whole] != '.') return std::nullopt;
    fraction = CountDigits(body, whole + 1);
    if (fraction == 0 || whole + 1 + fraction != body.size() || body.back() == '0') {
      return std::nullopt;
    }
  }
  if (whole == 0 && fraction == 0) return std::nullopt;
  form.kind = NumberTextForm::Kind::kPlain;
  form.places_before_point = static_cast<int>(whole);
  form.places_after_point = static_cast<int>(fraction);
  // Significant digits: from the first non-zero digit to the last non-zero one.
  const std::string_view digits_only = body;
  const std::size_t first = digits_only.find_first_of("123456789");
  const std::size_t last = digits_only.find_last_of("123456789");
  int count = 0;
  for (std::size_t i = first; i <= last; ++i) count += IsDigit(body[i]) ? 1 : 0;
  form.significant_digits = count;
  return form;
}

}  // namespace

std::optional<NumberTextForm> ParseNumberText(std::string_view text) {
  if (text.size() < 2 || (text[0] != ' ' && text[0] != '-')) return std::nullopt;
  NumberTextForm form;
  form.negative = text[0] == '-';
  const std::string_view body = text.substr(1);
  if (body == "0") {
    if (form.negative) return std::nullopt;  // zero, a negative one too, is " 0"
    form.kind = NumberTextForm::Kind::kZero;
    return form;
  }
  if (body == "Inf") {
    form.kind = NumberTextForm::Kind::kInfinity;
    return form;
  }
  if (body == "NaN") {
    if (form.negative) return std::nullopt;
    form.kind = NumberTextForm::Kind::kNotANumber;
    return form;
  }
  if (body.find('E') != std::string_view::npos) return ParseExponentForm(body, form);
  return ParsePlainForm(body, form);
}

bool IsGroupedWholeNumber(std::string_view text) {
  if (text.size() < 2 || (text[0] != ' ' && text[0] != '-')) return false;
  const std::string_view body = text.substr(1);
  if (body == "0") return text[0] == ' ';
  if (body[0] < '1' || body[0] > '9') return false;
  // Counted from the right, every fourth character is a ",", and only those.
  for (std::size_t i = 0; i < body.size(); ++i) {
    const std::size_t from_right = body.size() - i;
    const bool comma_place = from_right % 4 == 0;
    if (comma_place ? body[i] != ',' : !IsDigit(body[i])) return false;
  }
  return true;
}

bool IsGroupedOrNumberText(std::string_view text) {
  if (IsGroupedWholeNumber(text)) return true;
  const auto form = ParseNumberText(text);
  // A whole number in plain form is always grouped; only other forms pass through unchanged.
  return form && !(form->kind == NumberTextForm::Kind::kPlain && form->places_after_point == 0);
}

}  // namespace townwright::testing
