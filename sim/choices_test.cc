#include "sim/choices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "city_fixture.h"

namespace townwright {
namespace {

using testing::ScriptedRandom;

std::string Codes(std::initializer_list<int> projects) {
  std::string codes;
  for (const int project : projects) codes += ProjectCode(project);
  return codes;
}

class ChoicesTest : public testing::CityFixture {
 protected:
  void SetUp() override {
    StartEmpty();
    city.Funds = 1000;
  }

  // Draws with shuffles that exchange nothing (all their draws 0) and the given draw for the
  // last position looked at for Build offers: INT(5 * r) + 3.
  void DrawUnshuffled(double limit_draw) {
    std::vector<double> draws(2000, 0);
    draws.push_back(limit_draw);
    ScriptedRandom random(draws, 0);
    choices = DrawChoices(city, random);
    drawn = random.drawn();
  }

  std::vector<double> Slots(int first, int last) const {
    return {city.ChoiceCode.begin() + first, city.ChoiceCode.begin() + last + 1};
  }

  int choices = 0;
  std::size_t drawn = 0;
};

TEST_F(ChoicesTest, OffersDoNothingThenBuildsThenReactivationsThenHalts) {
  city.PendingProjects = Codes({1, 10, 4, 12, 8});
  city.HaltedProjects = Codes({20, 21, 22, 23, 24, 25});
  city.ActiveProjects = Codes({26, 27, 28, 29, 30, 31, 2, 3});
  DrawUnshuffled(0.999);  // 7 positions: 2..7 of the pending list
  EXPECT_EQ(drawn, 6001u);
  // Position 1 is never looked at; positions 2 to 5 offer; 6 and 7 lie beyond the list. The
  // build loop ran to its end at position 8, so reactivations start at position 8 of a list of
  // six: none. Halts start there too: position 8 of the active list.
  EXPECT_EQ(choices, 6);
  EXPECT_EQ(Slots(1, 6), (std::vector<double>{-1, 10, 4, 12, 8, 2003}));
}

TEST_F(ChoicesTest, SectionsStartWhereTheBuildOffersStopped) {
  city.PendingProjects = Codes({1, 2, 3, 4, 5, 6, 7});
  city.HaltedProjects = Codes({20, 21, 22, 23, 24, 25});
  city.ActiveProjects = Codes({26, 27, 28, 29, 30, 31, 8, 9, 11, 12, 13, 14});
  DrawUnshuffled(0);  // 3 positions: two offers fill slots 2 and 3, stopping at position 3
  // Reactivations from position 3 to 6 of the halted list, halts from 7 to 10 of the active list;
  // slots beyond the nine buttons are filled too.
  EXPECT_EQ(choices, 11);
  EXPECT_EQ(Slots(1, 11),
            (std::vector<double>{-1, 2, 3, 1022, 1023, 1024, 1025, 2008, 2009, 2011, 2012}));
}

TEST_F(ChoicesTest, OnlyAffordableNamedProjectsAreOfferedEachWithItsOwnCode) {
  city.PendingProjects = Codes({5, 30, 11, 12});
  city.Funds = 100;  // project 30 costs 700
  DrawUnshuffled(0);
  EXPECT_EQ(Slots(1, 2), (std::vector<double>{-1, 11}));
  EXPECT_EQ(choices, 2);

  city.PendingProjects = Codes({31, 0, 1});  // project 0 has no name
  DrawUnshuffled(0);
  EXPECT_EQ(city.ChoiceCode[2], 1);
}

TEST_F(ChoicesTest, CostEqualToFundsPassesAndNegativeCostsPassUnlessFundsAreBelowThem) {
  city.PendingProjects = Codes({1, 10, 9});
  city.Funds = 2;  // Wind Power costs 2
  DrawUnshuffled(0);
  EXPECT_EQ(Slots(2, 3), (std::vector<double>{10, 9}));  // 9 costs -180
  city.Funds = -200;
  DrawUnshuffled(0);
  EXPECT_EQ(choices, 1);
}

TEST_F(ChoicesTest, WithNothingOfferableOnlyDoNothingRemainsAndOldCodesStay) {
  city.ChoiceCode[2] = 2017;
  city.PendingProjects = Codes({1, 30});
  city.Funds = 0;
  city.HaltedProjects = Codes({5});  // a single halted project is never offered
  city.ActiveProjects = Codes({6, 7, 8});
  DrawUnshuffled(0.5);
  EXPECT_EQ(choices, 1);
  EXPECT_EQ(city.ChoiceCode[2], 2017);  // the empty slot keeps its last code
}

TEST_F(ChoicesTest, KeepsTheShuffledListsItDrewFrom) {
  city.PendingProjects = Codes({1, 2, 3, 4, 5, 6, 7, 8});
  city.HaltedProjects = Codes({20, 21, 22, 23, 24, 25});
  city.ActiveProjects = Codes({26, 27, 28});
  GameRandom random(4);
  DrawChoices(city, random);
  EXPECT_EQ(city.PendingProjects, Codes({1, 2, 3, 4, 5, 6, 7, 8}));  // only a copy is shuffled
  EXPECT_NE(city.HaltedProjects, Codes({20, 21, 22, 23, 24, 25}));
  EXPECT_EQ(city.HaltedProjects.back(), ProjectCode(25));  // the last character never moves
  EXPECT_EQ(city.ActiveProjects.back(), ProjectCode(28));
}

}  // namespace
}  // namespace townwright
