#include "data/catalogue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace townwright {
namespace {

// FNV-1a over the names joined by line feeds: any mistyped letter changes it.
std::uint64_t NameFingerprint(const std::string* names, int first, int last) {
  std::uint64_t hash = 0xcbf29ce484222325;
  for (int i = first; i <= last; ++i) {
    std::string name = names[i];
    if (i < last) name += '\n';
    for (const unsigned char byte : name) {
      hash ^= byte;
      hash *= 0x100000001b3;
    }
  }
  return hash;
}

class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override { FillCatalogues(city); }
  CityState city;
};

TEST_F(CatalogueTest, WorkforceTableHoldsExactlyTheListedCells) {
  int listed = 0;
  long long stored_sum = 0;
  long long position_weighted = 0;
  for (int occupation = 0; occupation <= 64; ++occupation) {
    for (int project = 0; project <= 32; ++project) {
      const int cell = city.ProjectWorkforceEffect[occupation][project];
      const bool inside = occupation >= 1 && occupation <= 60 && project >= 1 && project <= 31;
      if (!inside) {
        EXPECT_EQ(cell, 0) << "occupation " << occupation << " project " << project;
        continue;
      }
      if (cell != 0) ++listed;
      stored_sum += cell;
      position_weighted += (project * 100LL + occupation) * cell;
    }
  }
  EXPECT_EQ(listed, 1004);
  EXPECT_EQ(stored_sum, 130806);
  // Catches a correct value typed into the wrong cell.
  EXPECT_EQ(position_weighted, 222899690);
}

TEST_F(CatalogueTest, WorkforceExtremesAndTheListedZero) {
  EXPECT_EQ(city.ProjectWorkforceEffect[39][7], 128);   // listed with no change
  EXPECT_EQ(city.ProjectWorkforceEffect[41][1], 0);     // not listed: reads as -128
  EXPECT_EQ(city.ProjectWorkforceEffect[19][31], 174);  // the largest change, +46
  EXPECT_EQ(city.ProjectWorkforceEffect[26][21], 116);  // the smallest, -12
  EXPECT_EQ(city.ProjectWorkforceEffect[26][31], 116);
  int lowest = 255;
  int highest = 0;
  for (int occupation = 1; occupation <= 60; ++occupation) {
    for (int project = 1; project <= 31; ++project) {
      const int cell = city.ProjectWorkforceEffect[occupation][project];
      if (cell == 0) continue;
      lowest = std::min(lowest, cell);
      highest = std::max(highest, cell);
    }
  }
  EXPECT_EQ(lowest, 128 - 12);
  EXPECT_EQ(highest, 128 + 46);
}

TEST_F(CatalogueTest, ProjectsHaveTheirNamesAndCosts) {
  EXPECT_EQ(city.ProjectName[0], "");
  EXPECT_EQ(city.ProjectName[32], "");
  EXPECT_EQ(city.ProjectCost[0], 0);
  EXPECT_EQ(city.ProjectName[1], "NASA Space Program");
  EXPECT_EQ(city.ProjectName[31], "End of Poverty Project");
  EXPECT_EQ(NameFingerprint(city.ProjectName.data(), 1, 31), 0x48a161df67a73b14u);
  double cost_sum = 0;
  for (int project = 1; project <= 31; ++project) cost_sum += city.ProjectCost[project];
  EXPECT_EQ(cost_sum, 748);
  EXPECT_EQ(city.ProjectCost[30], 700);  // the highest
  EXPECT_EQ(city.ProjectCost[11], 1);    // the lowest positive
  for (const int earning : {9, 13, 17, 23, 26}) EXPECT_LT(city.ProjectCost[earning], 0);
  EXPECT_EQ(city.ProjectCost[9], -180);
}

TEST_F(CatalogueTest, OccupationsHaveTheirNamesWagesAndSpreads) {
  EXPECT_EQ(NameFingerprint(city.OccupationName.data(), 1, 60), 0xe4bba811b1a17941u);
  double wages = 0;
  double spreads = 0;
  for (int occupation = 1; occupation <= 60; ++occupation) {
    wages += city.OccupationWage[occupation];
    spreads += city.OccupationVolatility[occupation];
  }
  EXPECT_EQ(wages, 2774);
  EXPECT_EQ(spreads, 105950);
  EXPECT_EQ(city.OccupationName[40], "");
  EXPECT_EQ(city.OccupationWage[40], 0);
  EXPECT_EQ(city.OccupationWage[37], 3);
  EXPECT_EQ(city.OccupationVolatility[37], 100000);
  EXPECT_EQ(city.OccupationVolatility[1], 1200);
  EXPECT_EQ(city.OccupationVolatility[33], 5);
  EXPECT_EQ(city.OccupationVolatility[55], 5);
}

}  // namespace
}  // namespace townwright
