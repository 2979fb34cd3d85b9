#include "view/date_display.h"

#include <gtest/gtest.h>

#include "recording_display.h"

namespace townwright {
namespace {

TEST(DateDisplayTest, ShowsMonthYearAndDayThenTheYearFont) {
  CityState city;
  city.Day = 1;
  city.Month = 1;
  city.Year = 2009;
  testing::RecordingDisplay display;
  ShowDate(city, display);
  const std::vector<std::pair<int, std::string>> expected = {
      {1051, "January"}, {1052, " 2009"}, {1053, " 1"}};
  EXPECT_EQ(display.refreshes, expected);
  EXPECT_EQ(display.year_font_applied, 1);
  EXPECT_EQ(city.DayText, " 1");
}

TEST(DateDisplayTest, AMonthOutsideTheCalendarShowsNoName) {
  CityState city;  // Month 0: never reached in play
  testing::RecordingDisplay display;
  ShowDate(city, display);
  EXPECT_EQ(city.MonthName, "");
  EXPECT_EQ(NameOfMonth(13), "");
}

}  // namespace
}  // namespace townwright
