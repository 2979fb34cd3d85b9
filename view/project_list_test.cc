#include "view/project_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "city_fixture.h"
#include "recording_display.h"

namespace townwright {
namespace {

using testing::ScriptedRandom;

std::string Codes(std::initializer_list<int> projects) {
  std::string codes;
  for (const int project : projects) codes += ProjectCode(project);
  return codes;
}

class ProjectListTest : public testing::CityFixture {
 protected:
  void SetUp() override {
    StartEmpty();
    city.Funds = 1000;
  }

  // Rebuilds with shuffles that exchange nothing (all their draws 0) and the given draw for the
  // number of build positions: INT(5 * r) + 3.
  void RebuildUnshuffled(double limit_draw) {
    std::vector<double> draws(2000, 0);
    draws.push_back(limit_draw);
    ScriptedRandom random(draws, 0);
    RebuildChoices(city, random, display);
    drawn = random.drawn();
  }

  std::vector<std::string> Captions() const {
    return {city.ChoiceText.begin() + 1, city.ChoiceText.begin() + 10};
  }

  testing::RecordingDisplay display;
  std::size_t drawn = 0;
};

TEST_F(ProjectListTest, OffersDoNothingThenBuildsThenReactivationsThenHalts) {
  city.PendingProjects = Codes({1, 10, 4, 12, 8});
  city.ProjectProgress[10] = 0.37;
  city.HaltedProjects = Codes({20, 21, 22, 23, 24, 25});
  city.ActiveProjects = Codes({26, 27, 28, 29, 30, 31, 2, 3});
  RebuildUnshuffled(0.999);  // 7 positions: 2..7 of the pending list
  EXPECT_EQ(drawn, 6001u);
  EXPECT_EQ(city.ChoiceText[1], "do nothing (except collect taxes)");
  EXPECT_EQ(city.ChoiceCode[1], -1);
  // Position 1 is never looked at; positions 2 to 5 offer; 6 and 7 lie beyond the list.
  EXPECT_EQ(city.ChoiceText[2], "Build: Wind Power [  37% completed ] ");
  EXPECT_EQ(city.ChoiceCode[2], 10);
  EXPECT_EQ(city.ChoiceText[3], "Build: Color Therapy Temples [  0% completed ] ");
  EXPECT_EQ(city.ChoiceCode[5], 8);
  // The build loop ran to its end at position 8, so reactivations start at position 8 of a list
  // of six: none. Halts start there too: position 8 of the active list.
  EXPECT_EQ(city.ChoiceText[6], "Halt: SuperLearning University");
  EXPECT_EQ(city.ChoiceCode[6], 2000 + 3);
  EXPECT_EQ(city.ChoiceText[7], "");
}

TEST_F(ProjectListTest, SectionsStartWhereTheBuildOffersStopped) {
  city.PendingProjects = Codes({1, 2, 3, 4, 5, 6, 7});
  city.HaltedProjects = Codes({20, 21, 22, 23, 24, 25});
  city.ActiveProjects = Codes({26, 27, 28, 29, 30, 31, 8, 9, 11, 12, 13, 14});
  RebuildUnshuffled(0);  // 3 positions: two offers fill slots 2 and 3, stopping at position 3
  EXPECT_EQ(city.ChoiceCode[2], 2);
  EXPECT_EQ(city.ChoiceCode[3], 3);
  // Reactivations from position 3 to 6 of the halted list, halts from 7 to 10 of the active list.
  EXPECT_EQ(city.ChoiceText[4], "Reactivate: Community Entrapenour Retail Spaces");
  EXPECT_EQ(city.ChoiceCode[4], 1022);
  EXPECT_EQ(city.ChoiceCode[7], 1025);
  EXPECT_EQ(city.ChoiceText[8], "Halt: Floridation of Water Supply");
  EXPECT_EQ(city.ChoiceCode[9], 2009);
  // Slots beyond the nine buttons are filled too, but have no button.
  EXPECT_EQ(city.ChoiceCode[11], 2012);
  ASSERT_EQ(display.refreshes.size(), 9u);
  EXPECT_EQ(display.refreshes[8], std::make_pair(1019, std::string("Halt: Nuclear Power Plant")));
}

TEST_F(ProjectListTest, ACaptionAndItsCodeAlwaysBelongTogether) {
  city.PendingProjects = Codes({5, 30, 11, 12});
  city.Funds = 100;  // project 30 costs 700
  RebuildUnshuffled(0);
  EXPECT_EQ(city.ChoiceText[2], "Build: Solar Power Arrays [  0% completed ] ");
  EXPECT_EQ(city.ChoiceCode[2], 11);
  EXPECT_EQ(city.ChoiceText[3], "");
}

TEST_F(ProjectListTest, CostEqualToFundsPassesAndNegativeCostsPassUnlessFundsAreBelowThem) {
  city.PendingProjects = Codes({1, 10, 9});
  city.Funds = 2;  // Wind Power costs 2
  RebuildUnshuffled(0);
  EXPECT_EQ(city.ChoiceCode[2], 10);
  EXPECT_EQ(city.ChoiceCode[3], 9);  // -180
  city.Funds = -200;
  RebuildUnshuffled(0);
  EXPECT_EQ(city.ChoiceText[2], "");
}

TEST_F(ProjectListTest, WithNothingOfferableOnlyDoNothingRemainsAndOldCodesStay) {
  city.ChoiceCode[2] = 2017;
  city.ChoiceText[2] = "Halt: Munitions Manufacture";
  city.PendingProjects = Codes({1, 30});
  city.Funds = 0;
  city.HaltedProjects = Codes({5});  // a single halted project is never offered
  city.ActiveProjects = Codes({6, 7, 8});
  RebuildUnshuffled(0.5);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"do nothing (except collect taxes)", "", "", "",
                                                  "", "", "", "", ""}));
  EXPECT_EQ(city.ChoiceCode[2], 2017);  // the empty button keeps its last code
}

TEST_F(ProjectListTest, ProjectZeroHasNoNameAndIsNeverOffered) {
  city.PendingProjects = Codes({31, 0, 1});
  RebuildUnshuffled(0);
  EXPECT_EQ(city.ChoiceCode[2], 1);
}

TEST_F(ProjectListTest, PercentCompletedRoundsTiesToEven) {
  city.PendingProjects = Codes({1, 2, 3, 4});
  city.ProjectProgress[2] = 0.125;
  city.ProjectProgress[3] = 0.135;
  RebuildUnshuffled(0);
  EXPECT_EQ(city.ChoiceText[2], "Build: Traditional Community College [  12% completed ] ");
  EXPECT_EQ(city.ChoiceText[3], "Build: SuperLearning University [  14% completed ] ");
}

TEST_F(ProjectListTest, ShowsEachButtonThenPausesAndKeepsTheShuffledListsItDrewFrom) {
  city.PendingProjects = Codes({1, 2, 3, 4, 5, 6, 7, 8});
  city.HaltedProjects = Codes({20, 21, 22, 23, 24, 25});
  city.ActiveProjects = Codes({26, 27, 28});
  GameRandom random(4);
  RebuildChoices(city, random, display);
  EXPECT_EQ(display.pauses, std::vector<int>(9, 100));
  for (int k = 1; k <= 9; ++k) {
    EXPECT_EQ(display.refreshes[k - 1], std::make_pair(1010 + k, city.ChoiceText[k]));
  }
  EXPECT_EQ(city.PendingProjects, Codes({1, 2, 3, 4, 5, 6, 7, 8}));  // only a copy is shuffled
  EXPECT_NE(city.HaltedProjects, Codes({20, 21, 22, 23, 24, 25}));
  EXPECT_EQ(city.HaltedProjects.back(), ProjectCode(25));  // the last character never moves
  EXPECT_EQ(city.ActiveProjects.back(), ProjectCode(28));
}

}  // namespace
}  // namespace townwright
