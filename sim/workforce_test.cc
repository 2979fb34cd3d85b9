#include "sim/workforce.h"

#include <gtest/gtest.h>

#include "city_fixture.h"

namespace townwright {
namespace {

class WorkforceShiftTest : public testing::CityFixture {
 protected:
  void SetUp() override { StartEmpty(); }
};

TEST_F(WorkforceShiftTest, AnEmptyPendingListMovesNobody) {
  city.Headcount.fill(300);
  ShiftWorkforce(city);
  for (int occupation = 1; occupation <= 60; ++occupation) {
    EXPECT_EQ(city.Headcount[occupation], 300u);
  }
}

TEST_F(WorkforceShiftTest, EachPendingProjectAppliesItsFullEffectAndUnlistedCellsTake128) {
  city.Headcount.fill(1000);
  city.PendingProjects = std::string(1, ProjectCode(28));  // "Children's Hospital": eight cells
  ShiftWorkforce(city);
  EXPECT_EQ(city.Headcount[41], 1004u);  // +4
  EXPECT_EQ(city.Headcount[26], 999u);   // -1
  EXPECT_EQ(city.Headcount[1], 872u);    // not listed: -128
}

TEST_F(WorkforceShiftTest, ProjectZeroOfTheStartDeckTakes128FromEveryOccupation) {
  city.PendingProjects = " ";
  ShiftWorkforce(city);
  // Below zero: held as the low 32 bits, 2^32 - 128.
  for (int occupation = 1; occupation <= 60; ++occupation) {
    EXPECT_EQ(city.Headcount[occupation], 4294967168u) << occupation;
  }
  EXPECT_EQ(city.Headcount[0], 0u);
  EXPECT_EQ(city.Headcount[61], 0u);
}

TEST_F(WorkforceShiftTest, CodesThatNameNoProjectAreSkipped) {
  city.Headcount.fill(1000);
  city.PendingProjects = std::string("\x7f\x01\xff", 3);
  ShiftWorkforce(city);
  EXPECT_EQ(city.Headcount[1], 1000u);
}

}  // namespace
}  // namespace townwright
