// The running game kept after every event, and brought back by a new window started on the copy,
// as a page the browser reloads brings it back.

#include "shell/kept_game.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/record_bytes.h"
#include "platform/headless/headless_game.h"
#include "same_game.h"
#include "shell/kept_game_seal.h"
#include "shell/startup.h"

namespace townwright {
namespace {

using namespace control_id;

constexpr int kTextChanged = 0x300;  // what a text box says when the player changed its text

// A window started on the copy `from` kept, as a page loaded again starts; with a seed of its own,
// so that a new game would show.
std::unique_ptr<HeadlessGame> Reload(HeadlessGame& from) {
  auto game = std::make_unique<HeadlessGame>();
  game->platform().KeepGame(from.platform().KeptGame());
  game->platform().set_keeps_games(true);
  game->Start(from.city().Day + 1000);
  game->Send({.kind = WindowEvent::Kind::kInitialise});  // as the window starts to run
  return game;
}

std::unique_ptr<HeadlessGame> KeptGame(std::uint64_t seed) {
  auto game = std::make_unique<HeadlessGame>();
  game->platform().set_keeps_games(true);
  game->Start(seed);
  game->Send({.kind = WindowEvent::Kind::kInitialise});
  return game;
}

TEST(KeptGameTest, AReloadAfterAnyActionBringsBackTheSameGame) {
  using Action = std::function<void(HeadlessGame&)>;
  const auto type = [](int box, const char* text) {
    return [=](HeadlessGame& game) {
      game.platform().Type(box, text);
      game.Click(box, kTextChanged);
    };
  };
  std::vector<Action> actions = {
      [](HeadlessGame&) {},  // the window as it starts
      type(kMonthBox, "Smarch"),
      [](HeadlessGame& game) { game.Click(kSave); },
      [](HeadlessGame& game) { game.Press(4); },
      [](HeadlessGame& game) { game.SetTaxes("25", "5", "10"); },
      [](HeadlessGame& game) { game.Press(1); },
      type(kIncomeTaxBox, "12.5"),  // typed, not applied
      type(kTreasuryBox, "a fortune"),
      [](HeadlessGame& game) { game.Send({.kind = WindowEvent::Kind::kActivation}); },
      [](HeadlessGame& game) { game.Click(kUpdateTaxRates); },
  };
  HeadlessGame steady(6);
  auto reloaded = KeptGame(6);
  const auto play = [&](const Action& action) {
    action(steady);
    action(*reloaded);
    reloaded = Reload(*reloaded);
    EXPECT_EQ(testing::FindDifference(*reloaded, steady), "");
    // Field by field, apart from how the copy writes them: a field it missed shows here.
    EXPECT_TRUE(reloaded->city() == steady.city());
  };
  for (std::size_t step = 0; step < actions.size() && !HasFailure(); ++step) {
    SCOPED_TRACE("after action " + std::to_string(step));
    play(actions[step]);
  }
  // On until a project has been completed and halted, which takes hundreds of turns.
  for (int turn = 0; turn < 3000 && !HasFailure() && reloaded->city().HaltedProjects.empty();
       ++turn) {
    SCOPED_TRACE("after turn " + std::to_string(turn));
    play([turn](HeadlessGame& game) { game.Press(1 + (turn + 1) % kChoiceButtons); });
  }
  EXPECT_FALSE(reloaded->city().HaltedProjects.empty());
  EXPECT_EQ(reloaded->city().IncomeTaxRate, 0.125);
}

TEST(KeptGameTest, TheRunKeepsTheGameAfterEveryEventAndNoneOnceTheWindowHasEnded) {
  const auto texts = [](const HeadlessPlatform& platform) {
    std::vector<std::string> shown;
    for (const auto& control : platform.controls()) shown.push_back(control.text);
    return shown;
  };
  HeadlessPlatform page;
  page.set_keeps_games(true);
  for (int k = 1; k <= 3; ++k) page.PostClick(ChoiceButton(k));
  RunTownwright(page, 9);  // its events run out with the window still open
  HeadlessPlatform reloaded;
  reloaded.set_keeps_games(true);
  reloaded.KeepGame(page.KeptGame());
  reloaded.PostClick(ChoiceButton(4));
  RunTownwright(reloaded, 10);
  HeadlessGame steady(9);
  for (int k = 1; k <= 4; ++k) steady.Press(k);
  EXPECT_EQ(texts(reloaded), texts(steady.platform()));

  HeadlessPlatform exited;
  exited.set_keeps_games(true);
  exited.KeepGame(reloaded.KeptGame());
  exited.PostClick(kExit);
  EXPECT_EQ(RunTownwright(exited, 11), 0);
  EXPECT_EQ(exited.KeptGame(), "");
  auto closed = KeptGame(9);
  closed->Send({.kind = WindowEvent::Kind::kSystemClose});
  EXPECT_EQ(closed->platform().KeptGame(), "");
}

// A copy that cannot be used starts a new game from the window's own seed, showing nothing of it.
void ExpectANewGame(const std::string& copy, const std::string& why) {
  SCOPED_TRACE(why);
  HeadlessGame started;
  started.platform().KeepGame(copy);
  started.Start(8);
  EXPECT_EQ(testing::FindDifference(started, HeadlessGame(8)), "");
  EXPECT_TRUE(started.Press(1));
}

TEST(KeptGameTest, ACopyDamagedCutShortOrFromAnotherReleaseStartsANewGame) {
  auto played = KeptGame(3);
  for (int k = 1; k <= 5; ++k) played->Press(k);
  const std::string copy = played->platform().KeptGame();
  ASSERT_NE(Reload(*played)->city().Day, 1);  // the copy itself is sound

  for (std::size_t at = 0; at < copy.size(); at += 61) {
    std::string damaged = copy;
    damaged[at] = damaged[at] == 'A' ? 'B' : 'A';
    ExpectANewGame(damaged, "a character changed at " + std::to_string(at));
  }
  ExpectANewGame(copy.substr(0, copy.size() - 4), "cut short by a group of four");
  ExpectANewGame(copy.substr(0, copy.size() / 2), "cut in half");
  ExpectANewGame(copy + "AAAA", "too long");
  ExpectANewGame("not a copy at all", "no base64");
  const std::string game = UnsealKeptGame(copy).value();
  ExpectANewGame(SealKeptGame(game, "Townwright kept game 0"), "an older format");
  ExpectANewGame(SealKeptGame(game, std::string(KeptGameFormat()) + "0"), "a later format");
  // The builds of 0.1.0 wrote the same bytes under a name with their version: read alike.
  HeadlessGame resumed;
  resumed.platform().KeepGame(SealKeptGame(game, "Townwright 0.1.0 kept game 1"));
  EXPECT_TRUE(resumed.Start(8));
  EXPECT_EQ(testing::FindDifference(resumed, *played), "");
}

TEST(KeptGameTest, ACopyNoRulesCouldHaveMadeStartsANewGame) {
  auto played = KeptGame(4);
  for (int turn = 0; played->city().HaltedProjects.empty() && turn < 3000; ++turn) {
    played->Press(1 + (turn + 1) % kChoiceButtons);
  }
  ASSERT_FALSE(played->city().HaltedProjects.empty());
  const std::string game = UnsealKeptGame(played->platform().KeptGame()).value();
  ByteWriter record;
  WriteRecord(played->city(), record);
  const std::string rest = game.substr(record.bytes().size());  // the generator, the text boxes
  const auto changed = [&](const std::function<void(CityState&)>& change) {
    CityState city = played->city();
    change(city);
    ByteWriter out;
    WriteRecord(city, out);
    return SealKeptGame(out.bytes() + rest);
  };
  ASSERT_EQ(changed([](CityState&) {}), played->platform().KeptGame());

  const auto project_of = [](const std::string& list) { return ProjectOfCode(list[0]); };
  const std::pair<std::string, std::function<void(CityState&)>> unsound[] = {
      {"day 28", [](CityState& c) { c.Day = 28; }},
      {"month 0", [](CityState& c) { c.Month = 0; }},
      {"an infinite rate", [](CityState& c) { c.SalesTaxRate = 1 / 0.0; }},
      {"a halted project marked active",
       [&](CityState& c) {
         c.ActiveProjects += c.HaltedProjects[0];
         c.HaltedProjects.erase(0, 1);
       }},
      {"a halted project's progress changed",
       [&](CityState& c) { c.ProjectProgress[project_of(c.HaltedProjects)] = 2; }},
      {"choice 1 not to do nothing", [](CityState& c) { c.ChoiceCode[1] = 5; }},
      {"a caption of another code", [](CityState& c) { c.ChoiceText[2] = c.ChoiceText[3]; }},
      {"a code between projects", [](CityState& c) { c.ChoiceCode[2] += 0.25; }},
      {"a project in two lists", [&](CityState& c) { c.PendingProjects += c.HaltedProjects[0]; }},
      {"a list in another order",
       [](CityState& c) { std::swap(c.PendingProjects[0], c.PendingProjects[1]); }},
      {"no turn played, but tax boxes", [](CityState& c) { c.DayText.clear(); }},
  };
  for (const auto& [why, change] : unsound) ExpectANewGame(changed(change), why);

  std::string impossible_generator = rest;
  impossible_generator[GeneratorState::kWords * 8] = 0x39;  // 313 words drawn of 312
  impossible_generator[GeneratorState::kWords * 8 + 1] = 0x01;
  ExpectANewGame(SealKeptGame(record.bytes() + impossible_generator), "a generator past its words");
}

// Every layout the game's bytes ever had, under the name copies give it, with a fingerprint of one
// game's copy: seed 1, two turns, rates applied and one typed. Bytes laid out anew under a name
// already used fail here, since the release after would misread the copies of the one before:
// name a new format, add it below, and say in NEWS that the update starts a new game.
TEST(KeptGameTest, EachLayoutOfTheBytesHasAFormatOfItsOwn) {
  constexpr std::pair<std::string_view, std::uint64_t> kFormats[] = {
      {"Townwright kept game 1", 0x192d0118370547cd},
  };
  auto game = KeptGame(1);
  game->Press(3);
  game->SetTaxes("25", "abc", "-3");
  game->Press(7);
  game->platform().Type(kIncomeTaxBox, "12.5");
  game->Click(kIncomeTaxBox, kTextChanged);
  // FNV-1a, which gives the same 64 bits on every platform.
  std::uint64_t fingerprint = 0xcbf29ce484222325;
  const std::string bytes = UnsealKeptGame(game->platform().KeptGame()).value();
  for (const char byte : bytes) {
    fingerprint = (fingerprint ^ static_cast<unsigned char>(byte)) * 0x100000001b3;
  }
  EXPECT_EQ(std::pair(KeptGameFormat(), fingerprint), kFormats[std::size(kFormats) - 1]);
  // About 10 KB of text, whatever the age of the game: only typing adds to it.
  EXPECT_LT(game->platform().KeptGame().size(), 11000u);
}

}  // namespace
}  // namespace townwright
