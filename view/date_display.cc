#include "view/date_display.h"

#include <array>

#include "view/control_ids.h"
#include "view/number_format.h"

namespace townwright {
namespace {

constexpr std::array<std::string_view, 13> kMonthNames = {
    "",     "January", "February",  "March",   "April",    "May",      "June",
    "July", "August",  "September", "October", "November", "December",
};

constexpr int kCalendarDigits = 7;

}  // namespace

std::string_view NameOfMonth(int month) {
  return month >= 1 && month <= 12 ? kMonthNames[static_cast<std::size_t>(month)] : "";
}

void ShowDate(CityState& city, Display& display) {
  city.DayText = NumberToText(city.Day, kCalendarDigits);
  city.YearText = NumberToText(city.Year, kCalendarDigits);
  city.MonthName = NameOfMonth(city.Month);
  display.RefreshControl(control_id::kMonthBox, city.MonthName);
  display.RefreshControl(control_id::kYearBox, city.YearText);
  display.RefreshControl(control_id::kDayBox, city.DayText);
  display.ApplyYearFont();
}

bool TurnPlayed(const CityState& city) { return !city.DayText.empty(); }

}  // namespace townwright
