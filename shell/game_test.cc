// Whole games in the headless window, played through the same command handler as a player's
// clicks: the shell's own rules. What every window must do with them is proven over each backend
// by platform/contract/platform_test.cc.

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "game_invariants.h"
#include "headless_game_fixture.h"
#include "shell/main_window.h"
#include "shell/startup.h"

namespace townwright {
namespace {

using namespace control_id;
using GameTest = testing::HeadlessGameTest;

// What a mistyped cell of the control table would break, checked without restating the table:
// each control's kind, every control within the window and within its frame, no two overlapping.
TEST_F(GameTest, BuildsTheWindowAsLaidOut) {
  platform.set_pixels_per_inch(120);
  Start();
  Press(1);  // the tax boxes too
  EXPECT_EQ(platform.caption().rfind("Townwright", 0), 0u);
  EXPECT_EQ(platform.client_area(), (DialogRect{133, 127, 425, 324}));
  EXPECT_EQ(platform.dialog_font_face(), "MS Sans Serif");
  EXPECT_EQ(platform.dialog_font_points(), 8);

  const auto among = [](int id, std::initializer_list<std::pair<int, int>> ranges) {
    return std::any_of(ranges.begin(), ranges.end(),
                       [id](auto range) { return id >= range.first && id <= range.second; });
  };
  const auto one = [](int id) { return std::pair(id, id); };
  const auto kind_of = [&](int id) {
    if (among(id, {one(kDetailsFrame), one(kProjectsFrame), one(kInformationFrame),
                   one(kTaxTablesFrame), one(kDateFrame)})) {
      return ControlKind::kFrame;
    }
    if (among(id, {{kTreasuryHeading, kQualityOfLifeHeading},
                   one(kCitizensMonthlyHeading),
                   {kIncomeTaxHeading, kPropertyTaxHeading},
                   one(kWorkforceHeading)})) {
      return ControlKind::kLabel;
    }
    if (among(id, {{kFirstChoiceButton, kLastChoiceButton}, one(kUpdateTaxRates), {kSave, kNew}})) {
      return ControlKind::kButton;
    }
    return ControlKind::kTextBox;
  };
  // The frame each control lies in; the outer frames lie in the window alone.
  const auto frame_of = [&](int id) {
    if (among(id, {{kTreasuryHeading, kQualityOfLifeHeading},
                   {kTreasuryBox, kQualityOfLifeTrendBox}})) {
      return kDetailsFrame;
    }
    if (among(id, {{kFirstChoiceButton, kLastChoiceButton}})) return kProjectsFrame;
    if (among(id, {{kIncomeTaxHeading, kUpdateTaxRates}, {kIncomeTaxBox, kPropertyTaxBox}})) {
      return kTaxTablesFrame;
    }
    if (among(id, {{kMonthBox, kDayBox}})) return kDateFrame;
    if (among(id, {{kCitizensMonthlyHeading, kTaxTablesFrame},
                   one(kWorkforceHeading),
                   {kCitizensMonthlyBox, kNew}})) {
      return kInformationFrame;
    }
    return 0;
  };
  const auto inside = [](DialogRect inner, DialogRect outer) {
    return inner.x >= outer.x && inner.y >= outer.y &&
           inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
  };
  const auto overlap = [](DialogRect a, DialogRect b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
  };
  const auto& controls = platform.controls();
  ASSERT_EQ(controls.size(), 56u);
  for (const auto& control : controls) {
    SCOPED_TRACE(::testing::Message() << "control " << control.id);
    EXPECT_EQ(control.kind, kind_of(control.id));
    EXPECT_TRUE(inside(control.place, {0, 0, 425, 324}));
    if (frame_of(control.id) != 0) {
      EXPECT_TRUE(inside(control.place, platform.FindControl(frame_of(control.id))->place));
    }
    for (const auto& other : controls) {
      if (&other != &control && control.kind != ControlKind::kFrame &&
          other.kind != ControlKind::kFrame) {
        EXPECT_FALSE(overlap(control.place, other.place)) << "and " << other.id;
      }
    }
  }
  // The year box alone has a font of its own: 24 points at the screen's 120 pixels per inch.
  ASSERT_EQ(platform.fonts().size(), 1u);
  EXPECT_EQ(platform.fonts()[0].character_height, 40);
  EXPECT_EQ(platform.fonts()[0].weight, 400);
  EXPECT_EQ(platform.fonts()[0].face, "MS Sans Serif");
  for (const auto& control : controls) {
    EXPECT_EQ(control.font, control.id == kYearBox ? game.dialog().YearFont : 0u) << control.id;
  }
}

TEST_F(GameTest, OnlyClicksAndNotificationOneAreActedOn) {
  Start();
  for (const int code : {2, 3, 0x100, 0x300, 0xFFFF}) {
    Click(ChoiceButton(1), code);
    Click(kNew, code);
    Click(kExit, code);
  }
  EXPECT_EQ(city.Day, 1);
  EXPECT_TRUE(platform.message_boxes().empty());
  EXPECT_FALSE(platform.ended());
  Click(ChoiceButton(1), 1);
  EXPECT_EQ(city.Day, 2);
}

TEST_F(GameTest, TaxBoxesAppearAtTheEndOfTheFirstTurnBelowTheirLabels) {
  Start();
  Press(1);
  const std::pair<int, DialogRect> boxes[] = {{kIncomeTaxBox, {345, 90, 65, 15}},
                                              {kSalesTaxBox, {345, 120, 65, 15}},
                                              {kPropertyTaxBox, {345, 150, 65, 15}}};
  for (const auto& [id, place] : boxes) {
    ASSERT_TRUE(Exists(id)) << id;
    EXPECT_EQ(platform.FindControl(id)->kind, ControlKind::kTextBox);
    EXPECT_EQ(platform.FindControl(id)->place, place);
  }
  EXPECT_EQ(Text(kIncomeTaxBox), " 33");
  EXPECT_EQ(Text(kSalesTaxBox), " 7.5");
  EXPECT_EQ(Text(kPropertyTaxBox), " 15");
}

TEST_F(GameTest, UpdateTaxRatesReadsEachBoxAsANumberShownAgainWithOneDecimal) {
  Start();
  Press(1);
  platform.Type(kIncomeTaxBox, "12.345");
  platform.Type(kSalesTaxBox, "abc");
  platform.Type(kPropertyTaxBox, "-3");
  Click(kUpdateTaxRates);
  EXPECT_EQ(city.IncomeTaxRate, 0.12345);
  EXPECT_EQ(city.SalesTaxRate, 0);
  EXPECT_EQ(city.PropertyTaxRate, -0.03);
  Press(1);
  EXPECT_EQ(Text(kIncomeTaxBox), " 12.3");
  EXPECT_EQ(Text(kSalesTaxBox), " 0");
  EXPECT_EQ(Text(kPropertyTaxBox), "-3");
}

TEST_F(GameTest, UpdateTaxRatesWithoutTypingReadsBackTheShownPercentages) {
  Start();
  Press(1);
  Click(kUpdateTaxRates);
  EXPECT_EQ(city.IncomeTaxRate, 0.33);  // the shown " 33", no longer the single-precision start
  EXPECT_EQ(city.SalesTaxRate, 0.075);
  EXPECT_EQ(city.PropertyTaxRate, 0.15);
}

TEST_F(GameTest, EnterEscapeFramesLabelsAndBoxesDoNothing) {
  Start();
  Press(1);
  const std::string choices = Text(ChoiceButton(2));
  for (const int id :
       {kEnterKeyCommand, kEscapeKeyCommand, kDetailsFrame, kTreasuryHeading, kProjectsFrame,
        kTreasuryBox, kIncomeTaxBox, kYearBox, kTaxTablesFrame - 1, 0, 9999}) {
    Click(id);  // kTaxTablesFrame - 1 is the one identifier in the range that no control has
  }
  EXPECT_EQ(city.Day, 2);
  EXPECT_EQ(Text(ChoiceButton(2)), choices);
  EXPECT_FALSE(platform.ended());
  EXPECT_TRUE(platform.message_boxes().empty());
}

TEST_F(GameTest, TheProgramEndsWithStatusZeroHoweverTheWindowEnds) {
  HeadlessPlatform by_exit;
  by_exit.PostClick(kExit);
  EXPECT_EQ(RunTownwright(by_exit, 5), 0);
  EXPECT_EQ(by_exit.end_result(), 1);
  HeadlessPlatform by_close;
  by_close.Post({.kind = WindowEvent::Kind::kSystemClose});
  EXPECT_EQ(RunTownwright(by_close, 5), 0);
  EXPECT_EQ(by_close.end_result(), 0);
}

TEST_F(GameTest, AWindowThatCannotBeCreatedEndsTheProgramAtOnceWithStatusOne) {
  platform.set_refuse_main_window(true);
  platform.PostClick(ChoiceButton(1));
  EXPECT_EQ(RunTownwright(platform, 1), 1);
  EXPECT_TRUE(platform.controls().empty());
  EXPECT_EQ(platform.pauses(), 9);
}

TEST_F(GameTest, ActivationWithNothingSavedLeavesTheFocusWhereItIs) {
  Start();
  platform.Focus(ChoiceButton(1));
  Activate(true);
  EXPECT_EQ(platform.FocusedControl(), platform.FindControl(ChoiceButton(1))->handle);
}

TEST_F(GameTest, TrendsReadZeroForThirtyTurnsThenCompareWithTurnOne) {
  Start(3);
  Press(1);
  const double treasury_on_turn_one = city.Treasury;
  const double census_on_turn_one = city.Census;
  for (int turn = 2; turn <= 30; ++turn) Press(1);
  for (int k = 1; k <= 8; ++k) EXPECT_EQ(Text(TrendBox(k)), " 0%") << k;
  Press(1);
  ASSERT_NE(treasury_on_turn_one, 0);
  EXPECT_EQ(city.IndicatorRatio[1], city.Treasury / treasury_on_turn_one);
  EXPECT_EQ(city.IndicatorRatio[5], city.Census / census_on_turn_one);
  EXPECT_EQ(Text(kTreasuryTrendBox).substr(0, 2), city.IndicatorRatio[1] > 0 ? "UP" : "DN");
  EXPECT_EQ(Text(kTreasuryTrendBox).back(), '%');
}

TEST_F(GameTest, TheSameSeedPlaysTheSameGame) {
  Start(11);
  PressTimes(2, 25);
  std::vector<std::string> first;
  for (const auto& control : platform.controls()) first.push_back(control.text);

  HeadlessGame again(11);
  for (int i = 0; i < 25; ++i) again.Press(2);
  std::vector<std::string> second;
  for (const auto& control : again.platform().controls()) second.push_back(control.text);
  EXPECT_EQ(first, second);
}

TEST_F(GameTest, ALongGameKeepsItsInvariants) {
  Start(2024);
  GameRandom player(99);
  for (int turn = 1; turn <= 700; ++turn) {
    Press(1 + static_cast<int>(player.NextUniform() * 9));
    ASSERT_EQ(testing::FindBrokenRule(city, platform, testing::Moment::kJustAfterTurn), "")
        << "after turn " << turn;
    if (turn % 97 == 0) {
      game.SetTaxes(turn % 2 ? "150" : "-40", "7.5", "15");
    }
  }
  EXPECT_EQ(city.Year, 2010);  // 700 turns from 1 January 2008: 2 years and 52 days
}

}  // namespace
}  // namespace townwright
