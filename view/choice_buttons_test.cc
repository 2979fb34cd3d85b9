#include "view/choice_buttons.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "city_fixture.h"
#include "recording_display.h"

namespace townwright {
namespace {

class ChoiceButtonsTest : public testing::CityFixture {
 protected:
  void SetUp() override { StartEmpty(); }
  testing::RecordingDisplay display;
};

TEST_F(ChoiceButtonsTest, EachCodeHasItsCaption) {
  city.ProjectProgress[10] = 0.37;
  city.ProjectProgress[2] = 0.125;  // whole percent, ties to even
  city.ProjectProgress[3] = 0.135;
  EXPECT_EQ(ChoiceCaption(city, -1), "do nothing (except collect taxes)");
  EXPECT_EQ(ChoiceCaption(city, 10), "Build: Wind Power [  37% completed ] ");
  EXPECT_EQ(ChoiceCaption(city, 4), "Build: Color Therapy Temples [  0% completed ] ");
  EXPECT_EQ(ChoiceCaption(city, 2), "Build: Traditional Community College [  12% completed ] ");
  EXPECT_EQ(ChoiceCaption(city, 3), "Build: SuperLearning University [  14% completed ] ");
  EXPECT_EQ(ChoiceCaption(city, 1022), "Reactivate: Community Entrapenour Retail Spaces");
  EXPECT_EQ(ChoiceCaption(city, 2008), "Halt: Floridation of Water Supply");
  EXPECT_EQ(ChoiceCaption(city, 1e300), "");  // names no project
}

TEST_F(ChoiceButtonsTest, NoCaptionIsLongerThanItsProjectsLongest) {
  const std::vector<std::string> longest = LongestChoiceCaptions(city);
  ASSERT_EQ(longest.size(), 32u);  // the 31 projects and "do nothing"
  EXPECT_EQ(longest.front(), "Build: BioTech Firm Tax Breaks for Two Years [  100% completed ] ");
  EXPECT_EQ(longest.back(), "do nothing (except collect taxes)");
  for (std::size_t k = 1; k < longest.size(); ++k)
    EXPECT_GE(longest[k - 1].size(), longest[k].size()) << k;
  for (int project = 1; project <= kProjectCount; ++project) {
    SCOPED_TRACE(project);
    city.ProjectProgress[project] = 1;
    const std::string own = ChoiceCaption(city, project);
    EXPECT_NE(std::find(longest.begin(), longest.end(), own), longest.end());
    for (int percent = 0; percent <= 100; ++percent) {
      city.ProjectProgress[project] = percent / 100.0;
      EXPECT_LE(ChoiceCaption(city, project).size(), own.size());
    }
    EXPECT_LE(ChoiceCaption(city, 1000 + project).size(), own.size());
    EXPECT_LE(ChoiceCaption(city, 2000 + project).size(), own.size());
  }
}

TEST_F(ChoiceButtonsTest, ShowsEachButtonThenPausesAndLeavesSlotsWithoutAChoiceBlank) {
  city.ChoiceText[5] = "Halt: Munitions Manufacture";
  city.ChoiceCode = {0, -1, 11, 2009, 2017, 2017};  // slot 5 is left over from an earlier draw
  ShowChoices(city, 3, display);
  EXPECT_EQ(display.pauses, std::vector<int>(9, 100));
  const std::vector<std::pair<int, std::string>> expected = {
      {1011, "do nothing (except collect taxes)"},
      {1012, "Build: Solar Power Arrays [  0% completed ] "},
      {1013, "Halt: Nuclear Power Plant"},
      {1014, ""},
      {1015, ""},
      {1016, ""},
      {1017, ""},
      {1018, ""},
      {1019, ""}};
  EXPECT_EQ(display.refreshes, expected);
  EXPECT_EQ(city.ChoiceText[5], "");
  EXPECT_EQ(city.ChoiceCode[5], 2017);
}

}  // namespace
}  // namespace townwright
