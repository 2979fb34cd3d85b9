#include "game_invariants.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "number_text_form.h"
#include "shell/control_table.h"
#include "view/choice_buttons.h"
#include "view/control_ids.h"
#include "view/date_display.h"
#include "view/sound_record.h"

namespace townwright::testing {
namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string ShownText(const HeadlessPlatform& platform, int id) {
  const auto* control = platform.FindControl(id);
  return control == nullptr ? std::string() : control->text;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Once a turn wrote them, the date boxes show the record's date.
std::string CheckDateBoxes(const CityState& city, const HeadlessPlatform& platform) {
  static constexpr std::array<std::string_view, 12> kMonths = {
      "January", "February", "March",     "April",   "May",      "June",
      "July",    "August",   "September", "October", "November", "December"};
  if (ShownText(platform, control_id::kMonthBox) != kMonths[city.Month - 1]) {
    return "the month box shows " + Quoted(ShownText(platform, control_id::kMonthBox));
  }
  for (const int box : {control_id::kYearBox, control_id::kDayBox}) {
    if (!ParseNumberText(ShownText(platform, box))) {
      return "box " + std::to_string(box) + " shows " + Quoted(ShownText(platform, box));
    }
  }
  return "";
}

// Every button shows its choice's caption.
std::string CheckChoiceButtons(const CityState& city, const HeadlessPlatform& platform) {
  for (int k = 1; k <= kChoiceButtons; ++k) {
    const int button = control_id::ChoiceButton(k);
    if (ShownText(platform, button) != city.ChoiceText[k]) {
      return "button " + std::to_string(button) + " shows " + Quoted(ShownText(platform, button)) +
             " instead of choice " + std::to_string(k);
    }
  }
  return "";
}

std::string CheckControls(const HeadlessPlatform& platform, bool after_first_turn) {
  std::array<int, control_id::kIdCount> count{};
  for (const auto& control : platform.controls()) {
    if (!control_id::IsControlId(control.id)) {
      return "a control has identifier " + std::to_string(control.id);
    }
    if (++count[static_cast<std::size_t>(control.id - control_id::kFirstId)] > 1) {
      return "two controls have identifier " + std::to_string(control.id);
    }
  }
  const std::size_t expected = WindowControls().size() + (after_first_turn ? TaxBoxes().size() : 0);
  if (platform.controls().size() != expected) {
    return std::to_string(platform.controls().size()) + " controls instead of " +
           std::to_string(expected);
  }
  return "";
}

// Every figure box and the format it must be in.
std::string CheckFigures(const HeadlessPlatform& platform, bool just_after_turn) {
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
  const auto must = [&platform](int id, bool well_formed) -> std::string {
    if (well_formed) return "";
    return "box " + std::to_string(id) + " shows " + Quoted(ShownText(platform, id));
  };
  std::string broken;
  for (int k = 1; k <= kIndicatorCount && broken.empty(); ++k) {
    const int box = IndicatorBox(k);
    const std::string text = ShownText(platform, box);
    const bool is_money = k == 1 || k == 2 || k == 7;
    broken = must(box, is_money ? money(text)
                       : k == 5 ? IsGroupedOrNumberText(text)
                                : number(text));
    if (broken.empty()) {
      broken = must(TrendBox(k), trend(ShownText(platform, TrendBox(k))));
    }
  }
  for (const int box : {kIncomeTaxBox, kSalesTaxBox, kPropertyTaxBox}) {
    if (broken.empty() && just_after_turn) broken = must(box, number(ShownText(platform, box)));
  }
  if (broken.empty()) {
    broken = must(kCitizensMonthlyBox, money(ShownText(platform, kCitizensMonthlyBox)));
  }
  if (broken.empty()) {
    broken = must(kWorkforceBox, IsGroupedOrNumberText(ShownText(platform, kWorkforceBox)));
  }
  return broken;
}

}  // namespace

std::string FindBrokenRule(const CityState& city, const HeadlessPlatform& platform, Moment moment) {
  const bool turn_played = moment != Moment::kBeforeFirstTurn;
  const bool boxes_as_written = turn_played && moment != Moment::kResumed;
  if (turn_played != TurnPlayed(city)) return "a turn played, or none, but not as the record says";
  std::string broken = FindBrokenRecordRule(city);
  if (broken.empty() && boxes_as_written) broken = CheckDateBoxes(city, platform);
  if (broken.empty()) broken = CheckChoiceButtons(city, platform);
  if (broken.empty()) broken = CheckControls(platform, turn_played);
  if (broken.empty() && boxes_as_written) {
    broken = CheckFigures(platform, moment == Moment::kJustAfterTurn);
  }
  return broken;
}

}  // namespace townwright::testing
