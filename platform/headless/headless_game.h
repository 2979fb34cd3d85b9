#pragma once

// One whole game in the in-memory window, driven with the commands a player's clicks send. Tests,
// fuzzers, benchmarks and the simulation tool all play through it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "data/city_state.h"
#include "data/random_source.h"
#include "platform/headless/headless_platform.h"
#include "shell/game_session.h"
#include "shell/main_dialog.h"

namespace townwright {

class HeadlessGame {
 public:
  // A game not started yet, so that its window can be set up first (platform()).
  HeadlessGame() = default;
  explicit HeadlessGame(std::uint64_t seed) { Start(seed); }
  // The same game, at the same moment, in a window of its own.
  HeadlessGame(const HeadlessGame& other)
      : platform_(other.platform_),
        session_(other.session_, platform_),
        turns_played_(other.turns_played_) {}
  HeadlessGame& operator=(const HeadlessGame&) = delete;

  // Everything before the window is shown: the game the window kept (platform().KeepGame) where it
  // is usable, else a new game from `seed` with its first choices; then the window. True when it
  // brought back the kept game.
  bool Start(std::uint64_t seed) { return session_.StartOrResume(seed); }

  // Hands one event of the main window to the session, which keeps the game after it where the
  // window keeps games (platform().set_keeps_games). True when it played a turn: the day changes
  // with every turn and nothing else changes it.
  bool Send(const WindowEvent& event);
  bool Click(int id, int notification_code = 0);
  // Presses choice button k (1..9): one turn.
  bool Press(int k);
  // Types the three texts into the tax boxes (which do not exist before the end of the first
  // turn, so the typing then goes nowhere) and presses "Update Tax Rates".
  void SetTaxes(std::string_view income, std::string_view sales, std::string_view property);

  // The text control `id` shows, or nothing when there is no such control.
  std::optional<std::string> Text(int id) const;

  CityState& city() { return session_.city(); }
  const CityState& city() const { return session_.city(); }
  MainDialog& dialog() { return session_.dialog(); }
  const MainDialog& dialog() const { return session_.dialog(); }
  HeadlessPlatform& platform() { return platform_; }
  const HeadlessPlatform& platform() const { return platform_; }
  GameRandom& random() { return session_.random(); }
  const GameRandom& random() const { return session_.random(); }
  std::uint64_t turns_played() const { return turns_played_; }

 private:
  HeadlessPlatform platform_;
  GameSession session_{platform_};
  std::uint64_t turns_played_ = 0;
};

}  // namespace townwright
