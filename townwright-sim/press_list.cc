#include "townwright-sim/press_list.h"

namespace townwright::sim_tool {
namespace {

// Splits at every `separator` outside double quotes; the parts keep their quotes. Empty when a
// quote is left open.
std::optional<std::vector<std::string_view>> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  bool quoted = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '"') quoted = !quoted;  // a doubled quote inside a quoted text toggles twice
    if (text[i] == separator && !quoted) {
      parts.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  if (quoted) return std::nullopt;
  parts.push_back(text.substr(start));
  return parts;
}

// A tax text as written in the list: bare (no quote in it), or wholly in double quotes with each
// quote inside doubled.
std::optional<std::string> TaxText(std::string_view written) {
  if (written.find('"') == std::string_view::npos) return std::string(written);
  if (written.size() < 2 || written.front() != '"' || written.back() != '"') return std::nullopt;
  std::string text;
  const std::string_view inside = written.substr(1, written.size() - 2);
  for (std::size_t i = 0; i < inside.size(); ++i) {
    if (inside[i] == '"') {
      if (i + 1 >= inside.size() || inside[i + 1] != '"') return std::nullopt;
      ++i;
    }
    text += inside[i];
  }
  return text;
}

std::optional<PressStep> ParseStep(std::string_view step) {
  if (step.size() == 1 && step[0] >= '1' && step[0] <= '9') return PressStep{step[0] - '0', {}};
  constexpr std::string_view kTaxPrefix = "tax=";
  if (step.substr(0, kTaxPrefix.size()) != kTaxPrefix) return std::nullopt;
  const auto texts = Split(step.substr(kTaxPrefix.size()), '/');
  if (!texts || texts->size() != 3) return std::nullopt;
  PressStep parsed;
  for (const std::string_view written : *texts) {
    auto text = TaxText(written);
    if (!text) return std::nullopt;
    parsed.tax.push_back(std::move(*text));
  }
  return parsed;
}

PressList Refused(std::string why) { return {{}, std::move(why)}; }

}  // namespace

PressList ParsePressList(std::string_view list) {
  const auto steps = Split(list, ',');
  if (!steps) return Refused("--press: a quoted tax text is not closed");
  PressList result;
  bool has_button = false;
  for (const std::string_view step : *steps) {
    const auto parsed = ParseStep(step);
    if (!parsed) {
      return Refused("--press: \"" + std::string(step) +
                     "\" is neither a button 1 to 9 nor tax=INCOME/SALES/PROPERTY");
    }
    has_button = has_button || parsed->button != 0;
    result.steps.push_back(*parsed);
  }
  if (!has_button) {
    return Refused("--press: the list has no button step 1 to 9, so no turn could be played");
  }
  return result;
}

}  // namespace townwright::sim_tool
