// Whole games in the headless window, played through the same command handler as a player's
// clicks.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game_invariants.h"
#include "headless_game_fixture.h"
#include "shell/control_table.h"
#include "shell/main_window.h"
#include "shell/startup.h"

namespace townwright {
namespace {

using namespace control_id;
using GameTest = testing::HeadlessGameTest;

TEST_F(GameTest, StartsWithTheFirstChoicesAndTheFixedDate) {
  Start();
  EXPECT_EQ(city.Day, 1);
  EXPECT_EQ(city.Month, 1);
  EXPECT_EQ(city.Year, 2008);
  EXPECT_EQ(Text(kMonthBox), "January");
  EXPECT_EQ(Text(kYearBox), "2007");
  EXPECT_EQ(Text(kDayBox), "31");
  EXPECT_EQ(Text(ChoiceButton(1)), "do nothing (except collect taxes)");
  for (int k = 1; k <= 9; ++k) EXPECT_EQ(Text(ChoiceButton(k)), city.ChoiceText[k]);
  for (const int box : {kTreasuryBox, kQualityOfLifeBox, kTreasuryTrendBox, kQualityOfLifeTrendBox,
                        kCitizensMonthlyBox, kWorkforceBox})
    EXPECT_EQ(Text(box), "") << box;
  for (const int tax_box : {kIncomeTaxBox, kSalesTaxBox, kPropertyTaxBox})
    EXPECT_FALSE(Exists(tax_box));
  // The first choices' nine pauses pass before the window exists.
  EXPECT_EQ(window.pause_count(), 9);
  EXPECT_EQ(window.paused_milliseconds(), 900);
}

TEST_F(GameTest, BuildsTheWindowAsLaidOut) {
  window.set_pixels_per_inch(120);
  Start();
  EXPECT_EQ(window.caption().rfind("Townwright", 0), 0u);
  EXPECT_EQ(window.client_area(), kMainWindowPlace);
  EXPECT_EQ(window.dialog_font_face(), "MS Sans Serif");
  EXPECT_EQ(window.dialog_font_points(), 8);
  const auto& controls = window.controls();
  ASSERT_EQ(controls.size(), 53u);
  const auto layouts = WindowControls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    EXPECT_EQ(controls[i].id, layouts[i].id);
    EXPECT_EQ(controls[i].kind, layouts[i].kind);
    EXPECT_EQ(controls[i].place, layouts[i].place);
  }
  ASSERT_EQ(window.fonts().size(), 1u);
  EXPECT_EQ(window.fonts()[0].character_height, 40);
  EXPECT_EQ(window.fonts()[0].weight, 400);
  EXPECT_EQ(window.fonts()[0].face, "MS Sans Serif");
  EXPECT_EQ(window.FindControl(kYearBox)->font, game.dialog().YearFont);
}

TEST_F(GameTest, OnePressIsOneTurn) {
  Start();
  for (int k = 1; k <= 9; ++k) {
    const int day_before = city.Day;
    const int pauses_before = window.pause_count();
    Press(k);
    EXPECT_EQ(city.SelectedChoice, k);
    EXPECT_EQ(city.Day, day_before + 1);
    EXPECT_EQ(window.pause_count(), pauses_before + 9);
  }
  EXPECT_EQ(Text(kDayBox), " 10");
  EXPECT_EQ(Text(kYearBox), " 2008");
}

TEST_F(GameTest, OnlyClicksAndNotificationOneAreActedOn) {
  Start();
  for (const int code : {2, 3, 0x100, 0x300, 0xFFFF}) {
    Click(ChoiceButton(1), code);
    Click(kNew, code);
    Click(kExit, code);
  }
  EXPECT_EQ(city.Day, 1);
  EXPECT_TRUE(window.message_boxes().empty());
  EXPECT_FALSE(window.ended());
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
    EXPECT_EQ(window.FindControl(id)->kind, ControlKind::kTextBox);
    EXPECT_EQ(window.FindControl(id)->place, place);
  }
  EXPECT_EQ(Text(kIncomeTaxBox), " 33");
  EXPECT_EQ(Text(kSalesTaxBox), " 7.5");
  EXPECT_EQ(Text(kPropertyTaxBox), " 15");
  PressTimes(2, 40);
  std::vector<int> ids;
  for (const auto& control : window.controls()) ids.push_back(control.id);
  EXPECT_EQ(ids.size(), 56u);  // still exactly one control per identifier
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
}

TEST_F(GameTest, UpdateTaxRatesBeforeTheFirstTurnSetsEveryRateToZero) {
  Start();
  Click(kUpdateTaxRates);
  EXPECT_EQ(city.IncomeTaxRate, 0);
  EXPECT_EQ(city.SalesTaxRate, 0);
  EXPECT_EQ(city.PropertyTaxRate, 0);
  EXPECT_EQ(city.Day, 1);
}

TEST_F(GameTest, TypedRatesTakeEffectOnlyThroughUpdateTaxRates) {
  Start();
  Press(1);
  window.Type(kIncomeTaxBox, "25");
  window.Type(kSalesTaxBox, "5");
  window.Type(kPropertyTaxBox, "10");
  EXPECT_EQ(city.IncomeTaxRate, 0.33f);  // typing alone changes nothing
  Click(kUpdateTaxRates);
  EXPECT_EQ(city.IncomeTaxRate, 0.25);
  EXPECT_EQ(city.SalesTaxRate, 0.05);
  EXPECT_EQ(city.PropertyTaxRate, 0.10);
  Press(1);
  EXPECT_EQ(Text(kIncomeTaxBox), " 25");
  EXPECT_EQ(Text(kSalesTaxBox), " 5");
  EXPECT_EQ(Text(kPropertyTaxBox), " 10");

  window.Type(kIncomeTaxBox, "12.345");
  window.Type(kSalesTaxBox, "abc");
  window.Type(kPropertyTaxBox, "-3");
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

TEST_F(GameTest, SaveLoadAndNewAnswerThatTheyAreNotEnabled) {
  Start();
  Press(3);
  const std::string treasury = Text(kTreasuryBox);
  const double funds = city.Funds;
  for (const int id : {kSave, kLoad, kNew}) Click(id);
  ASSERT_EQ(window.message_boxes().size(), 3u);
  for (const auto& box : window.message_boxes()) {
    EXPECT_EQ(box.text, "That button is not enabled");
    EXPECT_EQ(box.caption, "KRT");
  }
  EXPECT_EQ(city.Day, 2);
  EXPECT_EQ(city.Funds, funds);
  EXPECT_EQ(Text(kTreasuryBox), treasury);
  EXPECT_FALSE(window.ended());
}

TEST_F(GameTest, EnterEscapeFramesLabelsAndBoxesDoNothing) {
  Start();
  Press(1);
  const std::string choices = Text(ChoiceButton(2));
  for (const int id : {kEnterKeyCommand, kEscapeKeyCommand, kDetailsFrame, kTreasuryHeading,
                       kProjectsFrame, kTreasuryBox, kIncomeTaxBox, kYearBox, 1022, 0, 9999}) {
    Click(id);  // 1022 is no control
  }
  EXPECT_EQ(city.Day, 2);
  EXPECT_EQ(Text(ChoiceButton(2)), choices);
  EXPECT_FALSE(window.ended());
  EXPECT_TRUE(window.message_boxes().empty());
}

TEST_F(GameTest, ExitEndsWithOneAndASystemCloseWithZero) {
  Start();
  window.PostClick(ChoiceButton(1));
  window.PostClick(kExit);
  window.PostClick(ChoiceButton(1));  // never handled: the window has ended
  EXPECT_EQ(window.RunUntilEnded([this](const WindowEvent& e) { Send(e); }), 1);
  EXPECT_EQ(city.Day, 2);

  HeadlessGame other(2);
  other.window().Post({.kind = WindowEvent::Kind::kSystemClose});
  EXPECT_EQ(other.window().RunUntilEnded([&](const WindowEvent& e) { other.Send(e); }), 0);
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
  window.set_refuse_main_window(true);
  window.PostClick(ChoiceButton(1));
  EXPECT_EQ(RunTownwright(window, 1), 1);
  EXPECT_TRUE(window.controls().empty());
  EXPECT_EQ(window.pause_count(), 9);
}

TEST_F(GameTest, TheFocusComesBackAfterDeactivation) {
  Start();
  Press(1);
  window.FocusControl(kSalesTaxBox);
  const WindowHandle tax_box = window.FocusedControl();
  Activate(false);
  window.SetFocus(0);  // another window took the focus
  Activate(true);
  EXPECT_EQ(window.FocusedControl(), tax_box);
  EXPECT_EQ(game.dialog().SavedFocus, 0u);
  // Activation with nothing saved leaves the focus where it is.
  window.FocusControl(ChoiceButton(1));
  Activate(true);
  EXPECT_EQ(window.FocusedControl(), window.FindControl(ChoiceButton(1))->handle);
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
  for (const auto& control : window.controls()) first.push_back(control.text);

  HeadlessGame again(11);
  for (int i = 0; i < 25; ++i) again.Press(2);
  std::vector<std::string> second;
  for (const auto& control : again.window().controls()) second.push_back(control.text);
  EXPECT_EQ(first, second);
}

TEST_F(GameTest, ALongGameKeepsItsInvariants) {
  Start(2024);
  GameRandom player(99);
  for (int turn = 1; turn <= 700; ++turn) {
    Press(1 + static_cast<int>(player.NextUniform() * 9));
    ASSERT_EQ(testing::FindBrokenRule(city, window, testing::Moment::kJustAfterTurn), "")
        << "after turn " << turn;
    if (turn % 97 == 0) {
      game.SetTaxes(turn % 2 ? "150" : "-40", "7.5", "15");
    }
  }
  EXPECT_EQ(city.Year, 2010);  // 700 turns from 1 January 2008: 2 years and 52 days
}

}  // namespace
}  // namespace townwright
