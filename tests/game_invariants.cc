#include "game_invariants.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "number_text_form.h"
#include "shell/control_table.h"
#include "sim/choice_code.h"
#include "view/choice_buttons.h"
#include "view/control_ids.h"

namespace townwright::testing {
namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string ShownText(const HeadlessPlatform& window, int id) {
  const auto* control = window.FindControl(id);
  return control == nullptr ? std::string() : control->text;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

std::string CheckCalendar(const CityState& city, const HeadlessPlatform& window,
                          bool boxes_as_written) {
  static constexpr std::array<std::string_view, 12> kMonths = {
      "January", "February", "March",     "April",   "May",      "June",
      "July",    "August",   "September", "October", "November", "December"};
  if (city.Day < 1 || city.Day > 27) return "day " + std::to_string(city.Day) + " is not 1 to 27";
  if (city.Month < 1 || city.Month > 12) {
    return "month " + std::to_string(city.Month) + " is not 1 to 12";
  }
  if (!boxes_as_written) return "";
  if (ShownText(window, control_id::kMonthBox) != kMonths[city.Month - 1]) {
    return "the month box shows " + Quoted(ShownText(window, control_id::kMonthBox));
  }
  for (const int box : {control_id::kYearBox, control_id::kDayBox}) {
    if (!ParseNumberText(ShownText(window, box))) {
      return "box " + std::to_string(box) + " shows " + Quoted(ShownText(window, box));
    }
  }
  return "";
}

// Whether choice k's caption belongs to its code, and its project to the list the offer is made
// from.
bool CaptionFitsCode(const CityState& city, int k) {
  const std::string& text = city.ChoiceText[k];
  const double code = city.ChoiceCode[k];
  if (k == 1) return text == kDoNothingCaption && code == choice_code::kDoNothing;
  if (text.empty()) return true;  // an empty slot keeps whatever code an earlier rebuild left
  const auto offer = [&](std::string_view verb, double offset, const std::string& list) {
    const double project = code - offset;
    if (!(project >= 1 && project <= kProjectCount) || project != std::floor(project)) {
      return false;
    }
    const auto p = static_cast<int>(project);
    const std::string caption = std::string(verb) + city.ProjectName[p];
    if (list.find(ProjectCode(p)) == std::string::npos) return false;
    if (offset != 0) return text == caption;
    // "Build: Wind Power [  37% completed ] ": the percentage is a number text.
    constexpr std::string_view kTail = "% completed ] ";
    const std::string head = caption + " [ ";
    return StartsWith(text, head) && text.ends_with(kTail) &&
           text.size() >= head.size() + kTail.size() &&
           ParseNumberText(std::string_view(text).substr(head.size(),
                                                         text.size() - head.size() - kTail.size()));
  };
  if (StartsWith(text, "Build: ")) return offer("Build: ", 0, city.PendingProjects);
  if (StartsWith(text, "Reactivate: ")) {
    return offer("Reactivate: ", choice_code::kReactivateBase, city.HaltedProjects);
  }
  if (StartsWith(text, "Halt: "))
    return offer("Halt: ", choice_code::kHaltBase, city.ActiveProjects);
  return false;
}

std::string CheckChoices(const CityState& city, const HeadlessPlatform& window) {
  for (int k = 1; k <= kChoiceButtons; ++k) {
    if (!CaptionFitsCode(city, k)) {
      return "choice " + std::to_string(k) + " reads " + Quoted(city.ChoiceText[k]) +
             " with code " + std::to_string(city.ChoiceCode[k]);
    }
    const int button = control_id::ChoiceButton(k);
    if (ShownText(window, button) != city.ChoiceText[k]) {
      return "button " + std::to_string(button) + " shows " + Quoted(ShownText(window, button)) +
             " instead of choice " + std::to_string(k);
    }
  }
  return "";
}

std::string CheckStartDeck(const CityState& city) {
  std::string deck = city.PendingProjects;
  std::sort(deck.begin(), deck.end());
  std::string all_projects;
  for (int project = 0; project <= kProjectCount; ++project) all_projects += ProjectCode(project);
  if (deck != all_projects || !city.HaltedProjects.empty() || !city.ActiveProjects.empty()) {
    return "the start deck is not projects 0 to 31 pending";
  }
  return "";
}

std::string CheckStatusLists(const CityState& city) {
  std::array<int, kProjectCount + 1> seen{};
  constexpr double kHaltedThreshold = 0.002f;
  const auto check_list = [&](const std::string& list, std::string_view name,
                              auto belongs) -> std::string {
    for (std::size_t i = 0; i < list.size(); ++i) {
      const int project = ProjectOfCode(list[i]);
      if (project < 1 || project > kProjectCount) {
        return std::string(name) + " holds character code " +
               std::to_string(static_cast<unsigned char>(list[i]));
      }
      ++seen[project];
      if (!belongs(project)) {
        return std::string(name) + " holds project " + std::to_string(project) + " with progress " +
               std::to_string(city.ProjectProgress[project]);
      }
    }
    return "";
  };
  const auto active = [&city](int p) { return city.ProjectProgress[p] > 1; };
  const auto halted = [&](int p) {
    return !active(p) && city.ProjectProgress[p] > kHaltedThreshold &&
           city.ProjectCompleted[p] != 0;
  };
  const auto pending = [&](int p) { return !active(p) && !halted(p); };
  for (const std::string& broken : {check_list(city.PendingProjects, "the pending list", pending),
                                    check_list(city.HaltedProjects, "the halted list", halted),
                                    check_list(city.ActiveProjects, "the active list", active)}) {
    if (!broken.empty()) return broken;
  }
  for (int project = 1; project <= kProjectCount; ++project) {
    if (seen[project] != 1) {
      return "project " + std::to_string(project) + " stands in " + std::to_string(seen[project]) +
             " lists";
    }
  }
  // The status sort writes every list in ascending order; the draw shuffles the halted and active
  // lists in place but takes a copy of the pending one, which must keep the sort's order.
  if (!std::is_sorted(city.PendingProjects.begin(), city.PendingProjects.end())) {
    return "the pending list is not in ascending order";
  }
  return "";
}

std::string CheckControls(const HeadlessPlatform& window, bool after_first_turn) {
  std::array<int, control_id::kIdCount> count{};
  for (const auto& control : window.controls()) {
    if (!control_id::IsControlId(control.id)) {
      return "a control has identifier " + std::to_string(control.id);
    }
    if (++count[static_cast<std::size_t>(control.id - control_id::kFirstId)] > 1) {
      return "two controls have identifier " + std::to_string(control.id);
    }
  }
  const std::size_t expected = WindowControls().size() + (after_first_turn ? TaxBoxes().size() : 0);
  if (window.controls().size() != expected) {
    return std::to_string(window.controls().size()) + " controls instead of " +
           std::to_string(expected);
  }
  return "";
}

// Every figure box and the format it must be in.
std::string CheckFigures(const HeadlessPlatform& window, bool just_after_turn) {
  using namespace control_id;
  const auto number = [](std::string_view text) { return ParseNumberText(text).has_value(); };
  const auto money = [](std::string_view text) {
    return StartsWith(text, "$") && IsGroupedOrNumberText(text.substr(1));
  };
  // "UP", "DN" or nothing, then the ratio's magnitude in percent.
  const auto trend = [](std::string_view text) {
    if (!text.ends_with('%')) return false;
    text.remove_suffix(1);
    if (StartsWith(text, "UP") || StartsWith(text, "DN")) text.remove_prefix(2);
    const auto form = ParseNumberText(text);
    return form.has_value() && !form->negative;
  };
  const auto must = [&window](int id, bool well_formed) -> std::string {
    if (well_formed) return "";
    return "box " + std::to_string(id) + " shows " + Quoted(ShownText(window, id));
  };
  std::string broken;
  for (int k = 1; k <= kIndicatorCount && broken.empty(); ++k) {
    const int box = IndicatorBox(k);
    const std::string text = ShownText(window, box);
    const bool is_money = k == 1 || k == 2 || k == 7;
    broken = must(box, is_money ? money(text)
                       : k == 5 ? IsGroupedOrNumberText(text)
                                : number(text));
    if (broken.empty()) {
      broken = must(TrendBox(k), trend(ShownText(window, TrendBox(k))));
    }
  }
  for (const int box : {kIncomeTaxBox, kSalesTaxBox, kPropertyTaxBox}) {
    if (broken.empty() && just_after_turn) broken = must(box, number(ShownText(window, box)));
  }
  if (broken.empty()) {
    broken = must(kCitizensMonthlyBox, money(ShownText(window, kCitizensMonthlyBox)));
  }
  if (broken.empty()) {
    broken = must(kWorkforceBox, IsGroupedOrNumberText(ShownText(window, kWorkforceBox)));
  }
  return broken;
}

// Only typing sets a rate, and no text converts to a number beyond the range of a double.
std::string CheckTaxRates(const CityState& city) {
  for (const double rate : {city.IncomeTaxRate, city.SalesTaxRate, city.PropertyTaxRate}) {
    if (!std::isfinite(rate)) return "a tax rate is " + std::to_string(rate);
  }
  return "";
}

}  // namespace

std::string FindBrokenRule(const CityState& city, const HeadlessPlatform& window, Moment moment) {
  const bool turn_played = moment != Moment::kBeforeFirstTurn;
  const bool boxes_as_written = turn_played && moment != Moment::kResumed;
  std::string broken = CheckCalendar(city, window, boxes_as_written);
  if (broken.empty()) broken = CheckTaxRates(city);
  if (broken.empty()) broken = CheckChoices(city, window);
  if (broken.empty()) broken = turn_played ? CheckStatusLists(city) : CheckStartDeck(city);
  if (broken.empty()) broken = CheckControls(window, turn_played);
  if (broken.empty() && boxes_as_written) {
    broken = CheckFigures(window, moment == Moment::kJustAfterTurn);
  }
  return broken;
}

}  // namespace townwright::testing
