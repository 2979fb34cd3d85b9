#include "shell/turn_news.h"

#include <gtest/gtest.h>

#include "data/city_state.h"

namespace townwright {
namespace {

// A record as the window shows it after a turn: the date boxes' texts, the figures and captions.
CityState Shown(const ShownFigures& figures, int offers) {
  CityState city;
  city.MonthName = "March";
  city.DayText = " 4";
  city.YearText = " 2009";
  for (int k = 1; k <= kIndicatorCount; ++k) city.IndicatorText[k] = figures[k];
  for (int k = 1; k <= offers; ++k) city.ChoiceText[k] = "an offer";
  return city;
}

const ShownFigures kFigures = {"", "$ 1,234", "$-5", " 12", " 0", " 99", " 7", "$ 0", " 3"};

TEST(TurnNewsTest, NamesTheDateEveryChangedFigureAsShownAndTheChoices) {
  struct Row {
    const char* why;
    ShownFigures before;
    int offers;
    const char* news;
  };
  ShownFigures two_changed = kFigures;
  two_changed[2] = "$ 7";
  two_changed[5] = " 98";
  const Row rows[] = {
      {"the first turn: every figure is new", ShownFigures{}, 9,
       "March 4, 2009. Treasury $ 1,234; Wealth $-5; Cleanliness 12; Peacefuliness 0; Census 99; "
       "Sustainability 7; Velocity of Money $ 0; Quality of Life 3. 9 new choices."},
      {"only the figures the turn changed", two_changed, 9,
       "March 4, 2009. Wealth $-5; Census 99. 9 new choices."},
      {"no figure changed", kFigures, 3, "March 4, 2009. 3 new choices."},
      {"one choice, do nothing alone", kFigures, 1, "March 4, 2009. 1 new choice."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(TurnNews(row.before, Shown(kFigures, row.offers)), row.news);
  }
}

TEST(TurnNewsTest, AGameBroughtBackSaysItGoesOnAndItsDayOnceATurnWasPlayed) {
  CityState city;
  EXPECT_EQ(ResumedGameNews(city), "The game goes on.");
  EXPECT_EQ(ResumedGameNews(Shown(kFigures, 9)), "The game goes on: March 4, 2009.");
}

}  // namespace
}  // namespace townwright
