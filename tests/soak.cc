// townwright_soak: very long games in the headless window, played by random players, with every
// rule of a sound game checked after every action.
//
//   townwright_soak TURNS [SEED]
//
// The turns are shared among four games from SEED, SEED + 1, ...: the first and third are played
// by a sensible player, who types ordinary tax rates, so that their figures grow as a patient
// player's would; the second and fourth by a reckless one, who types anything, so that infinite
// and undefined money comes up early and is then played on for a long time.
//
// Exits with status 0 when every rule held, 1 at the first broken rule (with what broke, the game,
// turn and seed that repeat it), 2 for a bad command line.

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "data/city_state.h"
#include "data/random_source.h"
#include "game_invariants.h"
#include "random_play.h"
#include "shell/command_handler.h"
#include "shell/headless/headless_platform.h"
#include "shell/startup.h"
#include "view/control_ids.h"

namespace {

using townwright::testing::Moment;
using townwright::testing::RandomPlayer;
using Action = RandomPlayer::Action;

constexpr int kGames = 4;
constexpr int kPausesPerTurn = 9;

bool ParseCount(std::string_view text, std::uint64_t& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

class SoakGame {
 public:
  SoakGame(std::uint64_t seed, RandomPlayer::Temper temper) : player_(seed, temper) {
    townwright::StartGame(city_, random_, window_, seed);
    pauses_at_start_ = window_.pause_count();
  }

  // Plays until `turns` turns are played or a rule breaks; returns the broken rule or "".
  std::string Play(std::uint64_t turns) {
    std::string broken =
        townwright::testing::FindBrokenRule(city_, window_, Moment::kBeforeFirstTurn);
    while (broken.empty() && turns_played_ < turns) {
      Act(player_.NextAction());
      ++actions_;
      const auto played =
          static_cast<std::uint64_t>((window_.pause_count() - pauses_at_start_) / kPausesPerTurn);
      const Moment moment = played == 0              ? Moment::kBeforeFirstTurn
                            : played > turns_played_ ? Moment::kJustAfterTurn
                                                     : Moment::kBetweenTurns;
      if (moment == Moment::kJustAfterTurn && ShowsExtremeFigure()) ++extreme_turns_;
      turns_played_ = played;
      broken = window_.ended() ? "the window ended without \"Exit\""
                               : townwright::testing::FindBrokenRule(city_, window_, moment);
    }
    return broken;
  }

  std::uint64_t turns_played() const { return turns_played_; }
  std::uint64_t actions() const { return actions_; }
  std::uint64_t extreme_turns() const { return extreme_turns_; }
  const townwright::CityState& city() const { return city_; }
  std::string Shown(int id) const { return window_.FindControl(id)->text; }

 private:
  void Send(const townwright::WindowEvent& event) {
    townwright::MainDialogCallback(city_, random_, window_, event);
  }
  void Click(int id) { Send({.kind = townwright::WindowEvent::Kind::kCommand, .control_id = id}); }

  void Act(const Action& action) {
    using namespace townwright::control_id;
    switch (action.kind) {
      case Action::Kind::kPress:
        Click(kFirstChoiceButton + action.button - 1);
        break;
      case Action::Kind::kSetTaxes:
        // Before the first turn the tax boxes do not exist yet: the typing goes nowhere.
        window_.Type(kIncomeTaxBox, action.tax_texts[0]);
        window_.Type(kSalesTaxBox, action.tax_texts[1]);
        window_.Type(kPropertyTaxBox, action.tax_texts[2]);
        Click(kUpdateTaxRates);
        break;
      case Action::Kind::kEvent:
        Send(action.event);
        break;
    }
  }

  // The treasury in exponent form, or infinite or undefined.
  bool ShowsExtremeFigure() const {
    return Shown(townwright::control_id::kFirstIndicatorBox).find_first_of("EIN") !=
           std::string::npos;
  }

  townwright::HeadlessPlatform window_;
  townwright::CityState city_;
  townwright::GameRandom random_;
  RandomPlayer player_;
  int pauses_at_start_ = 0;
  std::uint64_t turns_played_ = 0;
  std::uint64_t actions_ = 0;
  std::uint64_t extreme_turns_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  std::uint64_t turns = 0;
  std::uint64_t seed = 1;
  if (argc < 2 || argc > 3 || !ParseCount(argv[1], turns) ||
      (argc == 3 && !ParseCount(argv[2], seed))) {
    std::fprintf(stderr, "usage: townwright_soak TURNS [SEED]\n");
    return 2;
  }
  std::uint64_t total = 0;
  for (int game = 0; game < kGames; ++game) {
    const std::uint64_t game_seed = seed + static_cast<std::uint64_t>(game);
    const bool reckless = game % 2 == 1;
    const std::uint64_t game_turns = turns / kGames + (game < static_cast<int>(turns % kGames));
    SoakGame soak(game_seed,
                  reckless ? RandomPlayer::Temper::kReckless : RandomPlayer::Temper::kSensible);
    const std::string broken = soak.Play(game_turns);
    if (!broken.empty()) {
      std::fprintf(stderr,
                   "townwright_soak: game %d (seed %llu), after turn %llu (action %llu): %s\n",
                   game + 1, static_cast<unsigned long long>(game_seed),
                   static_cast<unsigned long long>(soak.turns_played()),
                   static_cast<unsigned long long>(soak.actions()), broken.c_str());
      return 1;
    }
    const auto& city = soak.city();
    std::printf(
        "game %d, %s player, seed %llu: %llu turns in %llu actions, the treasury extreme in %llu; "
        "ends on day %d, month %d, year %.0f with treasury \"%s\", census \"%s\"\n",
        game + 1, reckless ? "reckless" : "sensible", static_cast<unsigned long long>(game_seed),
        static_cast<unsigned long long>(soak.turns_played()),
        static_cast<unsigned long long>(soak.actions()),
        static_cast<unsigned long long>(soak.extreme_turns()), city.Day, city.Month,
        static_cast<double>(city.Year), soak.Shown(1029).c_str(), soak.Shown(1033).c_str());
    total += soak.turns_played();
  }
  std::printf("%llu turns; every rule held after every action.\n",
              static_cast<unsigned long long>(total));
  return 0;
}
