#include "sim/calendar.h"

#include "data/arithmetic.h"

namespace townwright {
namespace {

constexpr int kDaysPerMonth = 27;
constexpr int kMonthsPerYear = 12;

}  // namespace

void AdvanceCalendar(CityState& city) {
  ++city.Day;
  if (city.Day == kDaysPerMonth + 1) {
    city.Day = 1;
    ++city.Month;
    city.VelocityOfMoney = 0;
  }
  if (city.Month == kMonthsPerYear + 1) {
    city.Month = 1;
    city.Year = static_cast<float>(city.Year + Extended{1});
  }
}

}  // namespace townwright
