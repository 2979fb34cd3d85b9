#include "view/choice_buttons.h"

#include "data/arithmetic.h"
#include "sim/choice_code.h"
#include "view/control_ids.h"
#include "view/number_format.h"

namespace townwright {
namespace {

constexpr int kButtonPauseMilliseconds = 100;

}  // namespace

std::string ChoiceCaption(const CityState& city, double code) {
  using choice_code::Decision;
  const choice_code::DecodedChoice choice = choice_code::Decode(code);
  if (choice.decision == Decision::kDoNothing) return std::string(kDoNothingCaption);
  const auto project = ArrayIndex(choice.project, city.ProjectName.size());
  if (!project) return "";
  const std::string& name = city.ProjectName[*project];
  switch (choice.decision) {
    case Decision::kBuild: {
      const double percent = 100 * Extended{city.ProjectProgress[*project]};
      return "Build: " + name + " [ " + NumberToText(RoundDecimals(percent, 0), 15) +
             "% completed ] ";
    }
    case Decision::kReactivate:
      return "Reactivate: " + name;
    case Decision::kHalt:
      return "Halt: " + name;
    case Decision::kDoNothing:
      break;
  }
  return "";
}

void ShowChoices(CityState& city, int choices, Display& display) {
  for (int k = 1; k <= kChoiceButtons; ++k) city.ChoiceText[k].clear();
  for (int k = 1; k <= choices && k < static_cast<int>(city.ChoiceText.size()); ++k) {
    city.ChoiceText[k] = ChoiceCaption(city, city.ChoiceCode[k]);
  }
  for (int k = 1; k <= kChoiceButtons; ++k) {
    display.RefreshControl(control_id::ChoiceButton(k), city.ChoiceText[k]);
    display.Pause(kButtonPauseMilliseconds);
  }
}

}  // namespace townwright
