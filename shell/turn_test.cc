#include "shell/turn.h"

#include <gtest/gtest.h>

#include <cmath>

#include "city_fixture.h"
#include "platform/headless/headless_game.h"
#include "recording_display.h"
#include "sim/status_sort.h"
#include "view/choice_buttons.h"
#include "view/control_ids.h"
#include "view/date_display.h"
#include "view/indicator_panel.h"

namespace townwright {
namespace {

// Counts the draws of the game's generator.
class CountingRandom final : public RandomSource {
 public:
  explicit CountingRandom(std::uint64_t seed) : random_(seed) {}
  double NextUniform() override {
    ++drawn;
    return random_.NextUniform();
  }
  std::size_t drawn = 0;

 private:
  GameRandom random_;
};

class TurnTest : public testing::CityFixture {
 protected:
  void Play(int choice, RandomSource& random) {
    city.SelectedChoice = static_cast<std::uint8_t>(choice);
    PlayTurn(city, random, display);
  }
  testing::RecordingDisplay display;
};

TEST_F(TurnTest, ATurnWithNothingBuiltDraws6062NumbersAndABuildOneMore) {
  StartWithSeed(9);
  city.Day = city.Month = 1;
  city.Year = 2008;
  SortProjects(city);
  CountingRandom random(1);
  city.ChoiceCode[1] = -1;
  Play(1, random);
  EXPECT_EQ(random.drawn, 2000u * 3 + 1 + 60 + 1);
  random.drawn = 0;
  city.ChoiceCode[2] = 4;
  Play(2, random);
  EXPECT_EQ(random.drawn, 6063u);
}

TEST_F(TurnTest, TheBuildDrawComesFirstAndTheEconomyLast) {
  StartEmpty();
  city.Day = city.Month = 1;
  city.Funds = 1000;
  SortProjects(city);
  city.ChoiceCode[2] = 10;
  // The Build takes the first draw; the shuffles take 0s and exchange nothing; the limit draw
  // 0 looks at positions 2 and 3; the economy's draws follow.
  std::vector<double> draws = {0.5};
  draws.resize(1 + 6001, 0);
  testing::ScriptedRandom random(draws, 0.5);
  Play(2, random);
  EXPECT_EQ(city.ProjectProgress[10], 0.10000000149011612 * 0.5);
  EXPECT_EQ(city.ChoiceCode[2], 2);  // position 2 of the unshuffled pending list
  EXPECT_EQ(random.drawn(), 6063u);
}

TEST_F(TurnTest, AProjectTheDecisionCompletesStillShiftsTheWorkforceThatTurn) {
  StartEmpty();
  city.Day = city.Month = 1;
  city.Funds = 1000;
  city.Headcount.fill(100000);
  city.ProjectProgress[28] = 0.99;
  city.PendingProjects = std::string(1, ProjectCode(28));  // left by the previous sort
  city.ChoiceCode[2] = 28;
  testing::ScriptedRandom random({0.9}, 0);
  Play(2, random);
  const double progress = city.ProjectProgress[28];
  ASSERT_GT(progress, 1);
  EXPECT_EQ(city.ActiveProjects, std::string(1, ProjectCode(28)));
  // Occupation 41: +4 scaled by the progress in the decision, then +4 in the shift; every other
  // pending project of the new lists did not count yet.
  EXPECT_EQ(city.Headcount[41],
            100000u + static_cast<std::uint32_t>(std::nearbyint(4 * progress)) + 4);
}

TEST_F(TurnTest, ShowsTheDateFirstAndTheIndicatorsLast) {
  StartWithSeed(2);
  city.Day = city.Month = 1;
  city.Year = 2008;
  CountingRandom random(3);
  Play(1, random);
  ASSERT_EQ(display.refreshes.size(), 3u + 9 + 21);
  EXPECT_EQ(display.refreshes.front(),
            std::make_pair(control_id::kMonthBox, std::string("January")));
  EXPECT_EQ(display.refreshes[2], std::make_pair(control_id::kDayBox, std::string(" 2")));
  EXPECT_EQ(display.refreshes[3].first, control_id::kFirstChoiceButton);
  EXPECT_EQ(display.refreshes.back().first, control_id::kWorkforceBox);
  EXPECT_EQ(display.pauses.size(), 9u);
}

TEST(ShowingATurnTest, ChangesNothingButTheTextsItWrites) {
  // A town decades old, with projects built, halted and reactivated.
  HeadlessGame game(5);
  for (int turn = 0; turn < 3000; ++turn) game.Press(1 + (turn + 1) % kChoiceButtons);
  const CityState before = game.city();
  CityState shown = before;
  int choices = 0;
  while (choices < kChoiceButtons && !before.ChoiceText[choices + 1].empty()) ++choices;
  testing::RecordingDisplay display;
  ShowDate(shown, display);
  ShowChoices(shown, choices, display);
  ShowIndicatorPanel(shown, display);
  // Showing again writes the very texts the turn wrote, and touches nothing else.
  EXPECT_EQ(shown, before);
  EXPECT_FALSE(before.HaltedProjects.empty());
}

}  // namespace
}  // namespace townwright
