#include "sim/calendar.h"

#include <gtest/gtest.h>

namespace townwright {
namespace {

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

}  // namespace
}  // namespace townwright
