#include "sim/calendar.h"

#include <array>
#include <string_view>

#include "data/arithmetic.h"
#include "view/control_ids.h"
#include "view/number_format.h"

namespace townwright {
namespace {

constexpr std::array<std::string_view, 13> kMonthNames = {
    "",     "January", "February",  "March",   "April",    "May",      "June",
    "July", "August",  "September", "October", "November", "December",
};

constexpr int kDaysPerMonth = 27;
constexpr int kMonthsPerYear = 12;
constexpr int kCalendarDigits = 7;

}  // namespace

void AdvanceCalendar(CityState& city, Display& display) {
  ++city.Day;
  if (city.Day == kDaysPerMonth + 1) {
    city.Day = 1;
    ++city.Month;
    city.VelocityOfMoney = 0;
  }
  city.DayText = NumberToText(city.Day, kCalendarDigits);
  if (city.Month == kMonthsPerYear + 1) {
    city.Month = 1;
    city.Year = static_cast<float>(city.Year + Extended{1});
  }
  city.YearText = NumberToText(city.Year, kCalendarDigits);
  const auto month = ArrayIndex(city.Month, kMonthNames.size());
  city.MonthName = month ? kMonthNames[*month] : "";

  display.RefreshControl(control_id::kMonthBox, city.MonthName);
  display.RefreshControl(control_id::kYearBox, city.YearText);
  display.RefreshControl(control_id::kDayBox, city.DayText);
  display.ApplyYearFont();
}

}  // namespace townwright
