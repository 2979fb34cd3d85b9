// townwright_soak: very long games in the headless window, played by random players, with every
// rule of a sound game checked after every action.
//
//   townwright_soak TURNS [SEED]
//
// The turns are shared among four games from SEED, SEED + 1, ...: the first and third are played
// by a sensible player, who types ordinary tax rates, so that their figures grow as a patient
// player's would; the second and fourth by a reckless one, who types anything, so that infinite
// and undefined money comes up early and is then played on for a long time. Now and then the game
// is kept and a new window started on the copy, as a reloaded page starts: it must hold the very
// same game, figures without bound included.
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
#include "platform/headless/headless_game.h"
#include "random_play.h"
#include "same_game.h"
#include "view/control_ids.h"

namespace {

using townwright::testing::FindBrokenRule;
using townwright::testing::Moment;
using townwright::testing::RandomPlayer;
using Action = RandomPlayer::Action;

constexpr int kGames = 4;
// Actions between two reloads: a prime, so that reloads fall at every kind of moment.
constexpr std::uint64_t kActionsBetweenReloads = 997;

bool ParseCount(std::string_view text, std::uint64_t& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

class SoakGame {
 public:
  SoakGame(std::uint64_t seed, RandomPlayer::Temper temper) : game_(seed), player_(seed, temper) {}

  // Plays until `turns` turns are played or a rule breaks; returns the broken rule or "".
  std::string Play(std::uint64_t turns) {
    std::string broken = FindBrokenRule(game_.city(), game_.platform(), Moment::kBeforeFirstTurn);
    while (broken.empty() && game_.turns_played() < turns) {
      // Kept by the session, as a page keeps it, after the action before a reload alone: a copy
      // after every action would cost the soak a quarter of its turns.
      game_.platform().set_keeps_games((actions_ + 1) % kActionsBetweenReloads == 0);
      const bool played = Act(player_.NextAction());
      ++actions_;
      const Moment moment = game_.turns_played() == 0 ? Moment::kBeforeFirstTurn
                            : played                  ? Moment::kJustAfterTurn
                                                      : Moment::kBetweenTurns;
      if (played && ShowsExtremeFigure()) ++extreme_turns_;
      broken = game_.platform().ended() ? "the window ended without \"Exit\""
                                        : FindBrokenRule(game_.city(), game_.platform(), moment);
      if (broken.empty() && actions_ % kActionsBetweenReloads == 0) broken = Reload();
    }
    return broken;
  }

  std::uint64_t turns_played() const { return game_.turns_played(); }
  std::uint64_t actions() const { return actions_; }
  std::uint64_t extreme_turns() const { return extreme_turns_; }
  const townwright::CityState& city() const { return game_.city(); }
  std::string Shown(int id) const { return game_.Text(id).value_or(""); }

 private:
  // True when the action played a turn.
  bool Act(const Action& action) {
    switch (action.kind) {
      case Action::Kind::kPress:
        return game_.Press(action.button);
      case Action::Kind::kSetTaxes:
        game_.SetTaxes(action.tax_texts[0], action.tax_texts[1], action.tax_texts[2]);
        return false;
      case Action::Kind::kEvent:
        return game_.Send(action.event);
    }
    return false;
  }

  // The game kept after the last action, brought back in a new window.
  std::string Reload() {
    townwright::HeadlessGame reloaded;
    reloaded.platform().KeepGame(game_.platform().KeptGame());
    reloaded.Start(0);
    const std::string difference = townwright::testing::FindDifference(reloaded, game_);
    return difference.empty() ? "" : "after a reload, " + difference;
  }

  // The treasury in exponent form, or infinite or undefined.
  bool ShowsExtremeFigure() const {
    return Shown(townwright::control_id::kTreasuryBox).find_first_of("EIN") != std::string::npos;
  }

  townwright::HeadlessGame game_;
  RandomPlayer player_;
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
        static_cast<double>(city.Year), soak.Shown(townwright::control_id::kTreasuryBox).c_str(),
        soak.Shown(townwright::control_id::kCensusBox).c_str());
    total += soak.turns_played();
  }
  std::printf("%llu turns; every rule held after every action.\n",
              static_cast<unsigned long long>(total));
  return 0;
}
