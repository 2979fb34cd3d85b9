#include "townwright-sim/press_list.h"

namespace townwright::sim_tool {
namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t end = text.find(separator);
    parts.push_back(text.substr(0, end));
    if (end == std::string_view::npos) return parts;
    text.remove_prefix(end + 1);
  }
}

std::optional<PressStep> ParseStep(std::string_view step) {
  if (step.size() == 1 && step[0] >= '1' && step[0] <= '9') return PressStep{step[0] - '0', {}};
  constexpr std::string_view kTaxPrefix = "tax=";
  if (step.substr(0, kTaxPrefix.size()) != kTaxPrefix) return std::nullopt;
  const auto texts = Split(step.substr(kTaxPrefix.size()), '/');
  if (texts.size() != 3) return std::nullopt;
  return PressStep{0, {std::string(texts[0]), std::string(texts[1]), std::string(texts[2])}};
}

}  // namespace

PressList ParsePressList(std::string_view list) {
  PressList result;
  bool has_button = false;
  for (const std::string_view step : Split(list, ',')) {
    const auto parsed = ParseStep(step);
    if (!parsed) {
      result.steps.clear();
      result.error = "--press: \"" + std::string(step) +
                     "\" is neither a button 1 to 9 nor tax=INCOME/SALES/PROPERTY";
      return result;
    }
    has_button = has_button || parsed->button != 0;
    result.steps.push_back(*parsed);
  }
  if (!has_button) {
    result.steps.clear();
    result.error = "--press: the list has no button step 1 to 9, so no turn could be played";
  }
  return result;
}

}  // namespace townwright::sim_tool
