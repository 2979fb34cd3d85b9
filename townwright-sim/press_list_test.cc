#include "townwright-sim/press_list.h"

#include <gtest/gtest.h>

namespace townwright::sim_tool {
namespace {

TEST(PressListTest, ReadsButtonsAndTaxSteps) {
  const PressList list = ParsePressList("1,9,tax=25/5/10,tax=//,3");
  ASSERT_TRUE(list.error.empty()) << list.error;
  ASSERT_EQ(list.steps.size(), 5u);
  EXPECT_EQ(list.steps[0].button, 1);
  EXPECT_EQ(list.steps[1].button, 9);
  EXPECT_EQ(list.steps[2].button, 0);
  EXPECT_EQ(list.steps[2].tax, (std::vector<std::string>{"25", "5", "10"}));
  EXPECT_EQ(list.steps[3].tax, (std::vector<std::string>{"", "", ""}));
}

TEST(PressListTest, RefusesStepsThatAreNeitherAndListsWithoutAButton) {
  for (const char* bad : {"0", "10", "1,,2", "", "x", "tax=1/2", "tax=1/2/3/4", "TAX=1/2/3", " 1",
                          "tax=1/2/3", "tax=1/2/3,tax=4/5/6"}) {
    const PressList list = ParsePressList(bad);
    EXPECT_FALSE(list.error.empty()) << bad;
    EXPECT_TRUE(list.steps.empty()) << bad;
  }
}

}  // namespace
}  // namespace townwright::sim_tool
