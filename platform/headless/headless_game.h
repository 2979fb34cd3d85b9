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
#include "shell/main_window.h"

namespace townwright {

class HeadlessGame {
 public:
  // A game not started yet, so that its window can be set up first (window()).
  HeadlessGame() = default;
  explicit HeadlessGame(std::uint64_t seed) { Start(seed); }

  // Everything before the window is shown: the game the window kept (window().KeepGame) where it
  // is usable, else a new game from `seed` with its first choices; then the window. True when it
  // brought back the kept game.
  bool Start(std::uint64_t seed);

  // Hands one event of the main window to the command handler. True when it played a turn: the
  // day changes with every turn and nothing else changes it.
  bool Send(const WindowEvent& event);
  bool Click(int id, int notification_code = 0);
  // Presses choice button k (1..9): one turn.
  bool Press(int k);
  // Types the three texts into the tax boxes (which do not exist before the end of the first
  // turn, so the typing then goes nowhere) and presses "Update Tax Rates".
  void SetTaxes(std::string_view income, std::string_view sales, std::string_view property);

  // From now on the game is kept with the window after every event, and none once the window has
  // ended, as RunTownwright keeps it. Off unless asked for: the tests and tools that play millions
  // of turns need not pay for it.
  void KeepAfterEveryEvent() { keep_after_every_event_ = true; }

  // The text control `id` shows, or nothing when there is no such control.
  std::optional<std::string> Text(int id) const;

  CityState& city() { return city_; }
  const CityState& city() const { return city_; }
  MainDialog& dialog() { return dialog_; }
  HeadlessPlatform& window() { return window_; }
  const HeadlessPlatform& window() const { return window_; }
  GameRandom& random() { return random_; }
  const GameRandom& random() const { return random_; }
  std::uint64_t turns_played() const { return turns_played_; }

 private:
  HeadlessPlatform window_;
  CityState city_;
  MainDialog dialog_;
  GameRandom random_;
  std::uint64_t turns_played_ = 0;
  bool keep_after_every_event_ = false;
};

}  // namespace townwright
