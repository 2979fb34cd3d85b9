#include "sim/calendar.h"

#include <gtest/gtest.h>

#include "recording_display.h"
#include "view/date_display.h"

namespace townwright {
namespace {

using testing::RecordingDisplay;

TEST(CalendarTest, TheLastDayOfTheYearRollsOverToTheFirstOfJanuary) {
  CityState city;
  city.Day = 27;
  city.Month = 12;
  city.Year = 2008;
  city.VelocityOfMoney = 500;
  AdvanceCalendar(city);
  EXPECT_EQ(city.Day, 1);
  EXPECT_EQ(city.Month, 1);
  EXPECT_EQ(city.Year, 2009);
  EXPECT_EQ(city.VelocityOfMoney, 0);
  RecordingDisplay display;
  ShowDate(city, display);
  const std::vector<std::pair<int, std::string>> expected = {
      {1051, "January"}, {1052, " 2009"}, {1053, " 1"}};
  EXPECT_EQ(display.refreshes, expected);
  EXPECT_EQ(display.year_font_applied, 1);
}

TEST(CalendarTest, MonthsHaveTwentySevenDaysAndClearTheVelocityOnlyWhenTheyTurn) {
  CityState city;
  city.Day = 1;
  city.Month = 1;
  city.Year = 2008;
  for (int turn = 1; turn <= 26; ++turn) {
    city.VelocityOfMoney = 7;
    AdvanceCalendar(city);
    EXPECT_EQ(city.VelocityOfMoney, 7) << turn;
  }
  EXPECT_EQ(city.Day, 27);
  EXPECT_EQ(city.Month, 1);
  AdvanceCalendar(city);  // the 27th turn
  EXPECT_EQ(city.Day, 1);
  EXPECT_EQ(city.Month, 2);
  EXPECT_EQ(city.VelocityOfMoney, 0);
  EXPECT_EQ(city.Year, 2008);
}

TEST(CalendarTest, AMonthOutsideTheCalendarShowsNoName) {
  CityState city;  // Month 0: never reached in play
  RecordingDisplay display;
  ShowDate(city, display);
  EXPECT_EQ(city.MonthName, "");
  EXPECT_EQ(NameOfMonth(13), "");
}

}  // namespace
}  // namespace townwright
