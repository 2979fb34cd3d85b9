#include "view/choice_buttons.h"

#include <algorithm>

#include "data/arithmetic.h"
#include "sim/choice_code.h"
#include "view/control_ids.h"
#include "view/number_format.h"

namespace townwright {
namespace {

constexpr int kButtonPauseMilliseconds = 100;

std::string BuildCaption(const std::string& name, double progress) {
  const double percent = 100 * Extended{progress};
  return "Build: " + name + " [ " + NumberToText(RoundDecimals(percent, 0), 15) + "% completed ] ";
}

}  // namespace

std::string ChoiceCaption(const CityState& city, double code) {
  using choice_code::Decision;
  const choice_code::DecodedChoice choice = choice_code::Decode(code);
  if (choice.decision == Decision::kDoNothing) return std::string(kDoNothingCaption);
  const auto project = ArrayIndex(choice.project, city.ProjectName.size());
  if (!project) return "";
  const std::string& name = city.ProjectName[*project];
  switch (choice.decision) {
    case Decision::kBuild:
      return BuildCaption(name, city.ProjectProgress[*project]);
    case Decision::kReactivate:
      return "Reactivate: " + name;
    case Decision::kHalt:
      return "Halt: " + name;
    case Decision::kDoNothing:
      break;
  }
  return "";
}

std::vector<std::string> LongestChoiceCaptions(const CityState& city) {
  std::vector<std::string> captions = {std::string(kDoNothingCaption)};
  for (int project = 1; project <= kProjectCount; ++project) {
    const std::string& name = city.ProjectName[project];
    if (name.empty()) continue;
    // "Reactivate: " and "Halt: " are shorter than "Build: " and " [  100% completed ] " together.
    captions.push_back(BuildCaption(name, 1));
  }
  // Longest first, each after those as long before it: some thirty, so sorted by insertion, which
  // is small code on a page that downloads all of it.
  for (std::size_t i = 1; i < captions.size(); ++i) {
    for (std::size_t j = i; j > 0 && captions[j].size() > captions[j - 1].size(); --j) {
      std::swap(captions[j], captions[j - 1]);
    }
  }
  return captions;
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
