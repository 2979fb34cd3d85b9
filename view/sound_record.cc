#include "view/sound_record.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "sim/choice_code.h"
#include "sim/status_sort.h"
#include "view/choice_buttons.h"
#include "view/date_display.h"

namespace townwright {
namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// The projects a code string lists, one bit each; nothing where it lists one twice or a code that
// is no project's.
std::optional<std::uint64_t> ProjectsIn(const std::string& list) {
  std::uint64_t projects = 0;
  for (const char code : list) {
    const int project = ProjectOfCode(code);
    if (project < 0 || project > kProjectCount || (projects >> project & 1) != 0) {
      return std::nullopt;
    }
    projects |= std::uint64_t{1} << project;
  }
  return projects;
}

std::string CheckCalendarAndRates(const CityState& city) {
  if (city.Day < 1 || city.Day > 27) return "day " + std::to_string(city.Day) + " is not 1 to 27";
  if (city.Month < 1 || city.Month > 12) {
    return "month " + std::to_string(city.Month) + " is not 1 to 12";
  }
  for (const double rate : {city.IncomeTaxRate, city.SalesTaxRate, city.PropertyTaxRate}) {
    if (!std::isfinite(rate)) return "a tax rate is " + std::to_string(rate);
  }
  return "";
}

bool CaptionFitsCode(const CityState& city, int k) {
  using choice_code::Decision;
  const std::string& text = city.ChoiceText[k];
  const double code = city.ChoiceCode[k];
  if (k == 1) return text == kDoNothingCaption && code == choice_code::kDoNothing;
  if (text.empty()) return true;  // an empty slot keeps whatever code an earlier draw left
  const choice_code::DecodedChoice choice = choice_code::Decode(code);
  const auto project = static_cast<double>(choice.project);
  if (code != std::floor(code) || !(project >= 1 && project <= kProjectCount)) return false;
  const std::string& list = choice.decision == Decision::kBuild        ? city.PendingProjects
                            : choice.decision == Decision::kReactivate ? city.HaltedProjects
                                                                       : city.ActiveProjects;
  return list.find(ProjectCode(static_cast<int>(project))) != std::string::npos &&
         text == ChoiceCaption(city, code);
}

std::string CheckChoices(const CityState& city) {
  for (int k = 1; k <= kChoiceButtons; ++k) {
    if (!CaptionFitsCode(city, k)) {
      return "choice " + std::to_string(k) + " reads " + Quoted(city.ChoiceText[k]) +
             " with code " + std::to_string(city.ChoiceCode[k]);
    }
  }
  return "";
}

std::string CheckStartDeck(const CityState& city) {
  constexpr std::uint64_t kEveryProject = (std::uint64_t{1} << (kProjectCount + 1)) - 1;
  if (city.Day != 1 || city.Month != 1 || city.Year != 2008) return "no turn, but not 1 January";
  if (ProjectsIn(city.PendingProjects) != kEveryProject || !city.HaltedProjects.empty() ||
      !city.ActiveProjects.empty()) {
    return "the start deck is not projects 0 to 31 pending";
  }
  return "";
}

std::string CheckStatusLists(const CityState& city) {
  CityState sorted = city;
  SortProjects(sorted);
  if (city.PendingProjects != sorted.PendingProjects) return "the pending list is not the sort's";
  const auto same = [](const std::string& list, const std::string& sorted_list) {
    return ProjectsIn(list).has_value() && ProjectsIn(list) == ProjectsIn(sorted_list);
  };
  if (!same(city.HaltedProjects, sorted.HaltedProjects)) return "the halted list is not the sort's";
  if (!same(city.ActiveProjects, sorted.ActiveProjects)) return "the active list is not the sort's";
  return "";
}

}  // namespace

std::string FindBrokenRecordRule(const CityState& city) {
  std::string broken = CheckCalendarAndRates(city);
  if (broken.empty()) broken = CheckChoices(city);
  if (broken.empty()) broken = TurnPlayed(city) ? CheckStatusLists(city) : CheckStartDeck(city);
  return broken;
}

}  // namespace townwright
