#include "data/catalogue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace townwright {
namespace {

// FNV-1a of one name: a mistyped letter changes it.
std::uint32_t NameHash(const std::string& name) {
  std::uint32_t hash = 2166136261u;
  for (const unsigned char byte : name) {
    hash ^= byte;
    hash *= 16777619u;
  }
  return hash;
}

// The hashes of the names of projects 1 to 31 and of occupations 1 to 60 (40 has none).
constexpr std::uint32_t kProjectNameHashes[] = {
    0x4334418a, 0xc290e62e, 0x33e735da, 0x26d743bb, 0xaaa21e71, 0x54299a60, 0xcbcdb1a4, 0x958bd9cd,
    0x4b483f31, 0x4d491126, 0x204fa573, 0x263338d9, 0x259bc04f, 0x04c1ec82, 0x19c35e10, 0x96c45a6d,
    0x737b831c, 0x75ef6a61, 0xa1e64525, 0x0a825e17, 0xa82f0f86, 0x133e2f03, 0xb09c0474, 0x373c6877,
    0xadc3b1ca, 0xc747410f, 0xd4fae450, 0x3c4c965a, 0x21ecec48, 0x17f4853d, 0x2bfa45c3};
constexpr std::uint32_t kOccupationNameHashes[] = {
    0x5671bca5, 0xef3e2929, 0x986f4b3d, 0xa1f02512, 0x6867a4fb, 0x1449e6fe, 0x03274595, 0x84cc956a,
    0xfd469734, 0x08f5c742, 0x4a01055e, 0xe55419df, 0x3f14f4e4, 0xefb39d69, 0xbd2efc56, 0x80da4fa5,
    0xdbc05996, 0x8feb999c, 0x1d78857d, 0x1241baac, 0xdb5cbf30, 0x9e584a26, 0x17db949a, 0x580d2c59,
    0x9ccd1fb5, 0x2ec5c968, 0xf79f39aa, 0xc1c436e5, 0x6072e1cc, 0x6d347ce2, 0xa57dc78a, 0xaae2e5a4,
    0x62acd823, 0x6829c5eb, 0xefeb6e07, 0x835af36d, 0x372a8e5c, 0xf493c47c, 0x50f7f8c1, 0x811c9dc5,
    0x1fd84282, 0x0d8e1195, 0x7fa5bad5, 0x0cc82327, 0x35f7da97, 0xd2e7b29e, 0xd36ec8bb, 0xd45a80a4,
    0x41410e32, 0xb2569af3, 0x808e8652, 0x8787642b, 0x2f267a4c, 0xc9f10ce3, 0x61e57053, 0x2c0c8fae,
    0x23230e69, 0x600675db, 0x90df1d91, 0xfe740b6a};

// Project P's workforce row as the catalogue lists it: how many cells, the sum of their changes,
// and the sum of occupation number times change (which moves when a change is in the wrong cell).
struct RowSums {
  int cells;
  int changes;
  int weighted_changes;
};
constexpr RowSums kWorkforceRows[] = {
    {24, 42, 796},   {36, 54, 876},   {42, 79, 1268},  {28, 32, 1157},  {28, 19, 1160},
    {58, 86, 2468},  {56, 69, 1761},  {16, 26, 257},   {18, 65, 2313},  {6, -1, 62},
    {12, 9, 394},    {17, 73, 2127},  {26, 13, 415},   {25, 31, 799},   {38, 79, 3022},
    {24, -4, -271},  {27, 95, 3428},  {42, 131, 3506}, {50, 96, 2546},  {23, 14, 184},
    {19, 23, 769},   {56, 168, 4808}, {53, 120, 3231}, {33, 51, 1323},  {44, 128, 2839},
    {55, 15, 2181},  {18, 15, 404},   {8, 9, 250},     {24, 127, 3120}, {40, 134, 4666},
    {58, 496, 14579}};

// Project P's cells as the catalogue writes them, "occupation:change", for a failure message.
std::string StoredRow(const CityState& city, int project) {
  std::string row;
  for (int occupation = 1; occupation <= 60; ++occupation) {
    const int cell = city.ProjectWorkforceEffect[occupation][project];
    if (cell == 0) continue;
    const int change = cell - kNoWorkforceChange;
    row +=
        std::to_string(occupation) + ":" + (change > 0 ? "+" : "") + std::to_string(change) + " ";
  }
  return row;
}

class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override { FillCatalogues(city); }
  CityState city;
};

TEST_F(CatalogueTest, EveryWorkforceRowHoldsItsListedCells) {
  for (int occupation = 0; occupation <= 64; ++occupation) {
    for (int project = 0; project <= 32; ++project) {
      const bool inside = occupation >= 1 && occupation <= 60 && project >= 1 && project <= 31;
      if (!inside) {
        EXPECT_EQ(city.ProjectWorkforceEffect[occupation][project], 0)
            << "occupation " << occupation << ", project " << project;
      }
    }
  }
  for (int project = 1; project <= 31; ++project) {
    RowSums stored{};
    for (int occupation = 1; occupation <= 60; ++occupation) {
      const int cell = city.ProjectWorkforceEffect[occupation][project];
      if (cell == 0) continue;
      ++stored.cells;
      stored.changes += cell - kNoWorkforceChange;
      stored.weighted_changes += occupation * (cell - kNoWorkforceChange);
    }
    const RowSums& listed = kWorkforceRows[project - 1];
    EXPECT_TRUE(stored.cells == listed.cells && stored.changes == listed.changes &&
                stored.weighted_changes == listed.weighted_changes)
        << "project " << project << " holds " << StoredRow(city, project);
  }
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
  constexpr double kCosts[] = {25, 45, 22, 6, 8,  12, 28,  2, -180, 2,   1, 4,  -3, 6,   8, 4,
                               -4, 6,  12, 3, 18, 9,  -22, 6, 17,   -24, 9, 11, 3,  700, 14};
  for (int project = 1; project <= 31; ++project) {
    EXPECT_EQ(NameHash(city.ProjectName[project]), kProjectNameHashes[project - 1])
        << "project " << project << " is named \"" << city.ProjectName[project] << '"';
    EXPECT_EQ(city.ProjectCost[project], kCosts[project - 1]) << "project " << project;
  }
}

TEST_F(CatalogueTest, OccupationsHaveTheirNamesWagesAndSpreads) {
  constexpr double kWages[] = {58, 28,  36, 114, 131, 41, 42, 39, 28, 19, 52, 28, 108, 23, 47,
                               43, 400, 42, 16,  24,  31, 29, 34, 38, 51, 48, 52, 46,  32, 24,
                               60, 72,  56, 56,  10,  24, 3,  80, 48, 0,  31, 51, 26,  32, 81,
                               2,  8,   11, 22,  65,  32, 52, 23, 9,  10, 41, 58, 25,  51, 31};
  constexpr double kSpreads[] = {
      1200, 10, 20, 15, 20, 15,  25,  120, 350, 10, 30, 15, 20, 15, 10,  10, 350,    25, 300, 15,
      20,   10, 15, 15, 80, 350, 20,  20,  15,  15, 80, 15, 5,  15, 250, 15, 100000, 40, 25,  0,
      1300, 15, 15, 20, 20, 250, 320, 150, 10,  35, 65, 20, 25, 25, 5,   25, 20,     15, 25,  10};
  for (int occupation = 1; occupation <= 60; ++occupation) {
    EXPECT_EQ(NameHash(city.OccupationName[occupation]), kOccupationNameHashes[occupation - 1])
        << "occupation " << occupation << " is named \"" << city.OccupationName[occupation] << '"';
    EXPECT_EQ(city.OccupationWage[occupation], kWages[occupation - 1])
        << "occupation " << occupation;
    EXPECT_EQ(city.OccupationVolatility[occupation], kSpreads[occupation - 1])
        << "occupation " << occupation;
  }
  EXPECT_EQ(city.OccupationName[40], "");
}

}  // namespace
}  // namespace townwright
