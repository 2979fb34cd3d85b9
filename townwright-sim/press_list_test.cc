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

TEST(PressListTest, QuotedTaxTextsHoldCommasSlashesAndQuotes) {
  const PressList list = ParsePressList(R"(tax="1,000"/"a/b"/"say ""hi""",2)");
  ASSERT_TRUE(list.error.empty()) << list.error;
  ASSERT_EQ(list.steps.size(), 2u);
  EXPECT_EQ(list.steps[0].tax, (std::vector<std::string>{"1,000", "a/b", "say \"hi\""}));
  for (const char* bad : {R"(tax="1/2/3,1)", R"(tax=a"b/2/3,1)", R"(tax="a"b/2/3,1)"}) {
    EXPECT_FALSE(ParsePressList(bad).error.empty()) << bad;
  }
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
