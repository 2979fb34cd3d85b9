#include "sim/status_sort.h"

#include <gtest/gtest.h>

namespace townwright {
namespace {

std::string Codes(std::initializer_list<int> projects) {
  std::string codes;
  for (const int project : projects) codes += ProjectCode(project);
  return codes;
}

TEST(SortProjectsTest, WithNothingStartedEveryProjectIsPendingInAscendingOrder) {
  CityState city;
  city.PendingProjects = "?> !";  // the start deck's project 0 drops out
  SortProjects(city);
  std::string all;
  for (int project = 1; project <= 31; ++project) all += ProjectCode(project);
  EXPECT_EQ(city.PendingProjects, all);
  EXPECT_EQ(city.ActiveProjects, "");
  EXPECT_EQ(city.HaltedProjects, "");
}

TEST(SortProjectsTest, SortsByProgressAndCompletionMark) {
  CityState city;
  city.ProjectProgress[2] = 1;  // exactly 1 is not running
  city.ProjectProgress[3] = 1.0010000467300415;
  city.ProjectCompleted[3] = -1;
  city.ProjectProgress[4] = 0.008799999952316284;  // halted
  city.ProjectCompleted[4] = -1;
  city.ProjectProgress[5] = 0.5;  // under construction
  city.ProjectProgress[6] = 1;    // exactly 1 but completed: halted
  city.ProjectCompleted[6] = -1;
  // Between the double 0.002 and the single-precision threshold 0.0020000000949949026.
  city.ProjectProgress[7] = 0.00200000005;
  city.ProjectCompleted[7] = -1;
  city.ProjectProgress[8] = 1.5;  // running even without the mark
  SortProjects(city);
  EXPECT_EQ(city.ActiveProjects, Codes({3, 8}));
  EXPECT_EQ(city.HaltedProjects, Codes({4, 6}));
  EXPECT_EQ(city.PendingProjects.size(), 31u - 4);
  for (const int pending : {1, 2, 5, 7}) {
    EXPECT_NE(city.PendingProjects.find(ProjectCode(pending)), std::string::npos) << pending;
  }
}

}  // namespace
}  // namespace townwright
