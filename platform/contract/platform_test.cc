// The contract of shell/platform.h, proven the same way over every window backend that runs here.
// Each backend's test program instantiates this suite with its own harness: the headless window in
// townwright_tests, Qt (offscreen) in townwright_qt_tests, Win32 (under Wine) in
// townwright_win32_tests. What only one backend does stays in that backend's own tests.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/contract/platform_harness.h"
#include "shell/control_table.h"
#include "shell/kept_game.h"
#include "shell/message_boxes.h"
#include "view/control_ids.h"

namespace townwright::testing {
namespace {

using namespace control_id;

// The controls made with the window, in creation order, which is their identifiers' order: one
// identifier in the range is no control's, and the tax boxes come with the first turn.
std::vector<int> ControlsMadeWithTheWindow() {
  std::vector<int> ids;
  for (int id = kFirstId; id <= kLastId; ++id) {
    if (id != kTaxTablesFrame - 1 && (id < kIncomeTaxBox || id > kPropertyTaxBox)) {
      ids.push_back(id);
    }
  }
  return ids;
}

// The buttons and text boxes, which Tab visits, in creation order.
std::vector<int> TabStops(bool with_tax_boxes) {
  std::vector<int> ids;
  for (const ControlLayout& layout : WindowControls()) {
    if (layout.kind == ControlKind::kButton || layout.kind == ControlKind::kTextBox) {
      ids.push_back(layout.id);
    }
  }
  if (with_tax_boxes) ids.insert(ids.end(), {kIncomeTaxBox, kSalesTaxBox, kPropertyTaxBox});
  return ids;
}

// The text a control is made with, from the rule rather than from the code that shows it: the
// table's own text, or for a choice button the choice drawn for it; the figure boxes start empty,
// their figures come with the first turn.
std::string FirstText(const CityState& city, const ControlLayout& layout) {
  if (layout.source == InitialText::kChoiceText) return city.ChoiceText[layout.element];
  if (layout.source == InitialText::kIndicatorText) return "";
  return std::string(layout.text);
}

// "KRT" is the game's own caption of its one message box.
const ShownBox kNotEnabledBox = {"KRT", "That button is not enabled"};

class PlatformTest : public ::testing::TestWithParam<HarnessMaker> {
 protected:
  std::string Text(int id) { return harness->Text(id).value_or("<missing>"); }
  std::array<double, 3> TaxRates() {
    return game.Read([this] {
      const CityState& city = game.city();
      return std::array{city.IncomeTaxRate, city.SalesTaxRate, city.PropertyTaxRate};
    });
  }
  int Day() {
    return game.Read([this] { return static_cast<int>(game.city().Day); });
  }
  int SelectedChoice() {
    return game.Read([this] { return static_cast<int>(game.city().SelectedChoice); });
  }
  std::size_t OpenBoxes() { return harness->MessageBoxes().size(); }

  std::unique_ptr<PlatformHarness> harness = GetParam().make();
  PlayedGame game{*harness};
};

TEST_P(PlatformTest, WithoutAWindowNothingIsMadeAndRunReturnsAtOnce) {
  Platform& platform = harness->platform();
  EXPECT_FALSE(platform.SetControlText(kDayBox, "1", ""));
  EXPECT_EQ(
      platform.CreateControl(kDetailsFrame, ControlKind::kFrame, {5, 10, 325, 105}, "Details", ""),
      0u);
  EXPECT_EQ(platform.ControlText(kDetailsFrame), std::nullopt);
  platform.SetControlFont(
      kYearBox,
      platform.CreateLogicalFont({.character_height = 32, .weight = 400, .face = "MS Sans Serif"}));
  int events = 0;
  platform.RunUntilEnded([&](const WindowEvent&) { ++events; });
  EXPECT_EQ(events, 0);
}

TEST_P(PlatformTest, TheWindowStartsWithItsControlsTheFirstChoicesAndTheUnsetDate) {
  game.Start();
  // The first choices were drawn, with their pauses, while no window existed to show them.
  EXPECT_EQ(harness->pauses(), 9);
  EXPECT_EQ(harness->paused_milliseconds(), 900);
  EXPECT_EQ(game.city().Day, 1);
  EXPECT_EQ(game.city().Month, 1);
  EXPECT_EQ(game.city().Year, 2008);
  EXPECT_EQ(harness->Caption(), "Townwright - by the Townwright developers");
  EXPECT_EQ(harness->Controls(), ControlsMadeWithTheWindow());
  EXPECT_EQ(Text(kMonthBox), "January");
  EXPECT_EQ(Text(kYearBox), "2007");
  EXPECT_EQ(Text(kDayBox), "31");
  EXPECT_EQ(Text(kFirstChoiceButton), "do nothing (except collect taxes)");
  for (const ControlLayout& layout : WindowControls()) {
    EXPECT_EQ(Text(layout.id), FirstText(game.city(), layout)) << "control " << layout.id;
  }
  EXPECT_EQ(Text(kTaxTablesFrame), "Tax Tables");
  EXPECT_EQ(Text(kVelocityOfMoneyHeading), "Velocity of Money");
  EXPECT_EQ(Text(kUpdateTaxRates), "Update Tax Rates");
  EXPECT_EQ(Text(kExit), "Exit");
  for (const int box : {kTreasuryBox, kQualityOfLifeBox, kTreasuryTrendBox, kQualityOfLifeTrendBox,
                        kCitizensMonthlyBox, kWorkforceBox}) {
    EXPECT_EQ(Text(box), "") << box;
  }
  for (const int box : {kIncomeTaxBox, kSalesTaxBox, kPropertyTaxBox}) {
    EXPECT_EQ(harness->Text(box), std::nullopt) << box;
  }
  // One main window per platform: a second is refused, and the first stays as it was.
  EXPECT_EQ(harness->platform().CreateMainWindow("Another", {0, 0, 100, 100}, "MS Sans Serif", 8),
            0u);
  EXPECT_EQ(harness->Caption(), "Townwright - by the Townwright developers");
  EXPECT_EQ(harness->Controls().size(), 53u);
}

TEST_P(PlatformTest, EachClickOnAChoicePlaysExactlyOneTurn) {
  game.Start();
  game.Play([&] {
    for (int k = 1; k <= kChoiceButtons; ++k) {
      const int pauses = harness->pauses();
      harness->Click(ChoiceButton(k));
      EXPECT_EQ(SelectedChoice(), k);
      EXPECT_EQ(harness->pauses() - pauses, 9) << "one turn's nine pauses";
      EXPECT_EQ(Text(kDayBox), " " + std::to_string(k + 1));
    }
    EXPECT_EQ(Text(kMonthBox), "January");
    EXPECT_EQ(Text(kYearBox), " 2008");
    for (int k = 1; k <= kChoiceButtons; ++k) {
      EXPECT_EQ(Text(ChoiceButton(k)), game.Read([&] { return game.city().ChoiceText[k]; }));
    }
    EXPECT_EQ(Text(kTreasuryBox).substr(0, 1), "$");
    // Every turn refreshes every figure, and still each identifier is one control.
    std::vector<int> all = ControlsMadeWithTheWindow();
    all.insert(all.end(), {kIncomeTaxBox, kSalesTaxBox, kPropertyTaxBox});
    EXPECT_EQ(harness->Controls(), all);
  });
}

// A screen reader hears of each turn once, after it: its date, each figure it changed as the
// window shows it, and the choices; of a press that plays no turn it hears nothing from the game.
TEST_P(PlatformTest, EachTurnIsToldOnceAndNoOtherPressIs) {
  game.Start();
  game.Play([&] {
    harness->Focus(kFirstChoiceButton);  // the desktop's readers hear the control with the focus
    harness->Click(kFirstChoiceButton);
    std::vector<std::string> told = harness->Told();
    ASSERT_EQ(told.size(), 1u);
    const std::string treasury = Text(kTreasuryBox);
    EXPECT_EQ(told[0].substr(0, 26 + treasury.size()), "January 2, 2008. Treasury " + treasury);
    EXPECT_NE(told[0].find("; Census " + Text(kCensusBox).substr(1) + ";"), std::string::npos);
    EXPECT_TRUE(told[0].ends_with(" new choices.")) << told[0];
    for (const int id : {kUpdateTaxRates, kSave}) harness->Click(id);
    harness->CloseNewestMessageBox();
    harness->Focus(ChoiceButton(2));
    harness->Click(ChoiceButton(2));
    told = harness->Told();
    ASSERT_EQ(told.size(), 2u) << "one more turn, one more news";
    EXPECT_TRUE(told[1].starts_with("January 3, 2008.")) << told[1];
  });
}

TEST_P(PlatformTest, ClicksDuringATurnWaitAndEachPlaysATurnOfItsOwn) {
  game.Start();
  std::vector<int> days_at_pauses;  // on the game's thread
  harness->set_on_pause([&] {
    days_at_pauses.push_back(game.city().Day);
    if (days_at_pauses.size() > 1) return;
    harness->ClickLater(kFirstChoiceButton);
    harness->ClickLater(kFirstChoiceButton);
  });
  game.Play([&] {
    harness->Click(kFirstChoiceButton);
    harness->Settle();
    EXPECT_EQ(Text(kDayBox), " 4");
  });
  // Each turn ran alone, its nine pauses on its own day: none began inside another.
  std::vector<int> expected;
  for (const int day : {2, 3, 4}) expected.insert(expected.end(), 9, day);
  EXPECT_EQ(days_at_pauses, expected);
}

TEST_P(PlatformTest, TypedRatesCountOnlyThroughUpdateTaxRates) {
  game.Start();
  game.Play([&] {
    // Before the first turn the tax boxes do not exist: they read as empty, so every rate is 0.
    harness->Click(kUpdateTaxRates);
    EXPECT_EQ(TaxRates(), (std::array{0.0, 0.0, 0.0}));
    EXPECT_EQ(Day(), 1);
    harness->Click(kFirstChoiceButton);
    harness->Type(kIncomeTaxBox, "25");
    harness->Type(kSalesTaxBox, "5");
    harness->Type(kPropertyTaxBox, "10");
    EXPECT_EQ(TaxRates(), (std::array{0.0, 0.0, 0.0})) << "typing alone changes nothing";
    harness->Click(kUpdateTaxRates);
    EXPECT_EQ(TaxRates(), (std::array{0.25, 0.05, 0.10}));
    EXPECT_EQ(Text(kIncomeTaxBox), "25") << "shown again only by the next turn";
    harness->Click(kFirstChoiceButton);
    EXPECT_EQ(Text(kIncomeTaxBox), " 25");
    EXPECT_EQ(Text(kSalesTaxBox), " 5");
    EXPECT_EQ(Text(kPropertyTaxBox), " 10");
  });
}

TEST_P(PlatformTest, SaveLoadAndNewOpenBoxesThatBlockNothing) {
  game.Start();
  game.Play([&] {
    const double funds = game.Read([&] { return game.city().Funds; });
    for (const int id : {kSave, kLoad, kNew}) harness->Click(id);
    EXPECT_EQ(harness->MessageBoxes(), std::vector<ShownBox>(3, kNotEnabledBox));
    EXPECT_EQ(Day(), 1);
    EXPECT_EQ(game.Read([&] { return game.city().Funds; }), funds) << "nothing else changes";
    harness->Click(kFirstChoiceButton);
    EXPECT_EQ(Text(kDayBox), " 2") << "the window plays on while the boxes are open";
    harness->CloseNewestMessageBox();
    EXPECT_EQ(OpenBoxes(), 2u);
  });
  EXPECT_EQ(OpenBoxes(), 0u) << "the boxes go with the window";
}

TEST_P(PlatformTest, PressesStopOpeningBoxesAtTheLimit) {
  game.Start();
  game.Play([&] {
    for (int press = 0; press < kMostOpenMessageBoxes + 4; ++press) harness->Click(kSave);
    EXPECT_EQ(OpenBoxes(), 16u);
    harness->Click(kFirstChoiceButton);
    EXPECT_EQ(Text(kDayBox), " 2") << "the window still plays";
    harness->CloseNewestMessageBox();
    EXPECT_EQ(OpenBoxes(), 15u);
    harness->Click(kLoad);
    harness->Click(kNew);
    EXPECT_EQ(OpenBoxes(), 16u) << "a closed box makes room for one more, and only one";
  });
}

TEST_P(PlatformTest, ExitEndsTheWindowWithOneItsBoxesAndEverythingAfter) {
  game.Start();
  const int result = game.Play([&] {
    harness->Click(kFirstChoiceButton);
    for (const int id : {kSave, kLoad, kNew}) harness->Click(id);
    harness->ClickLater(kExit);
    harness->ClickLater(kFirstChoiceButton);  // in the queue behind "Exit"
    harness->Settle();
  });
  EXPECT_EQ(result, 1);
  ASSERT_FALSE(game.events().empty());
  EXPECT_EQ(game.events().front().kind, WindowEvent::Kind::kInitialise);
  EXPECT_EQ(game.events().back().control_id, kExit) << "nothing reaches the game after the end";
  EXPECT_EQ(game.city().Day, 2);
  EXPECT_EQ(harness->platform().ControlText(kDayBox), std::nullopt) << "the window is gone";
  EXPECT_TRUE(harness->Controls().empty());
  EXPECT_EQ(OpenBoxes(), 0u) << "and its boxes with it";
  EXPECT_EQ(harness->platform().KeptGame(), "") << "and the game kept for the run";
}

// A backend that keeps games keeps the latest copy for the run, and one that does not keeps none;
// a copy it cannot keep must not leave an older game to be brought back.
TEST_P(PlatformTest, AKeptGameIsTheLatestCopyOrNone) {
  Platform& platform = harness->platform();
  const bool keeps = platform.KeepsGames();
  EXPECT_EQ(platform.KeptGame(), "");
  platform.KeepGame("first copy");
  EXPECT_EQ(platform.KeptGame(), keeps ? "first copy" : "");
  platform.KeepGame("second copy");
  EXPECT_EQ(platform.KeptGame(), keeps ? "second copy" : "");
  platform.KeepGame("");
  EXPECT_EQ(platform.KeptGame(), "");
}

// What a backend that keeps games keeps is the game after the latest event, as it stands.
TEST_P(PlatformTest, TheGameIsKeptAfterEveryEvent) {
  game.Start();
  Platform& platform = harness->platform();
  const auto kept_now = [&] {
    return game.Read([&] {
      return std::pair(platform.KeptGame(), KeptCopy(game.city(), game.random().state(), platform));
    });
  };
  game.Play([&] {
    for (const int id : {kFirstChoiceButton, kUpdateTaxRates, ChoiceButton(4)}) {
      harness->Click(id);
      harness->Settle();
      const auto [kept, now] = kept_now();
      EXPECT_EQ(kept, platform.KeepsGames() ? now : "") << "after a click on " << id;
    }
  });
}

TEST_P(PlatformTest, TheWindowManagersCloseEndsTheWindowWithZero) {
  game.Start();
  EXPECT_EQ(game.Play([&] {
    harness->Click(kFirstChoiceButton);
    harness->SystemClose();
  }),
            0);
  EXPECT_EQ(game.events().back().kind, WindowEvent::Kind::kSystemClose);
}

TEST_P(PlatformTest, TheFocusComesBackWhenTheWindowIsActiveAgain) {
  game.Start();
  game.Play([&] {
    harness->Click(kFirstChoiceButton);
    harness->Focus(kSalesTaxBox);
    const WindowHandle sales_box = game.Read([&] { return harness->platform().FocusedControl(); });
    ASSERT_NE(sales_box, 0u);
    harness->SwitchAway();
    EXPECT_EQ(game.Read([&] { return game.dialog().SavedFocus; }), sales_box);
    harness->ComeBack();
    EXPECT_EQ(harness->FocusedControl(), kSalesTaxBox);
    EXPECT_EQ(game.Read([&] { return game.dialog().SavedFocus; }), 0u);
  });
}

// The keys, where the window has a keyboard.
class PlatformKeyboardTest : public PlatformTest {};
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(PlatformKeyboardTest);

TEST_P(PlatformKeyboardTest, EnterAndSpacePressTheFocusedButton) {
  game.Start();
  game.Play([&] {
    harness->Focus(ChoiceButton(3));
    harness->Press(Key::kEnter);
    EXPECT_EQ(SelectedChoice(), 3);
    harness->Focus(ChoiceButton(5));
    harness->Press(Key::kSpace);
    EXPECT_EQ(SelectedChoice(), 5);
    EXPECT_EQ(Text(kDayBox), " 3");
  });
}

TEST_P(PlatformKeyboardTest, EnterAndEscapeInATaxBoxDoNothing) {
  game.Start();
  const int result = game.Play([&] {
    harness->Click(kFirstChoiceButton);
    harness->Type(kIncomeTaxBox, "40");
    harness->Focus(kIncomeTaxBox);
    const CityState before = game.Read([&] { return game.city(); });
    harness->Press(Key::kEnter);
    harness->Press(Key::kEscape);
    harness->Settle();
    EXPECT_TRUE(game.Read([&] { return game.city() == before; })) << "the game changed";
    EXPECT_EQ(Text(kIncomeTaxBox), "40");
    EXPECT_EQ(harness->FocusedControl(), kIncomeTaxBox);
    EXPECT_EQ(OpenBoxes(), 0u);
  });
  EXPECT_EQ(result, kWindowStillOpen) << "Escape closed the window";
}

TEST_P(PlatformKeyboardTest, TabVisitsTheButtonsAndTextBoxesInCreationOrder) {
  game.Start();
  game.Play([&] {
    for (const bool after_first_turn : {false, true}) {
      if (after_first_turn) harness->Click(kFirstChoiceButton);
      const std::vector<int> stops = TabStops(after_first_turn);
      harness->Focus(stops.front());
      for (std::size_t step = 1; step <= stops.size(); ++step) {
        harness->Press(Key::kTab);
        ASSERT_EQ(harness->FocusedControl(), stops[step % stops.size()]) << "step " << step;
      }
    }
  });
}

std::string BackendName(const ::testing::TestParamInfo<HarnessMaker>& info) {
  return info.param.backend;
}

std::vector<HarnessMaker> WithKeyboard() {
  if (!kHarnessUnderTest.keyboard) return {};
  return {kHarnessUnderTest};
}

INSTANTIATE_TEST_SUITE_P(Contract, PlatformTest, ::testing::Values(kHarnessUnderTest), BackendName);
INSTANTIATE_TEST_SUITE_P(Contract, PlatformKeyboardTest, ::testing::ValuesIn(WithKeyboard()),
                         BackendName);

}  // namespace
}  // namespace townwright::testing
