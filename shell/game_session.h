#pragma once

// One game played in one window: the record, what the game keeps of its window, and the generator,
// over a platform. Every run of the game goes through a session: the programs, the headless game
// of the tests and tools, and the contract suite's harness.

#include <cstdint>
#include <memory>

#include "data/city_state.h"
#include "data/random_source.h"
#include "shell/main_window.h"
#include "shell/platform.h"

namespace townwright {

class GameSession {
 public:
  explicit GameSession(Platform& platform);
  // The same game, at the same moment, on another platform (whose window shows it already).
  GameSession(const GameSession& other, Platform& platform);
  GameSession(const GameSession&) = delete;
  GameSession& operator=(const GameSession&) = delete;

  // Everything before the window is shown, for a new game from `seed`: the catalogues, the new
  // game, the first nine choices (whose pauses pass although no window exists yet), the calendar
  // at 1 January 2008, and the main window.
  void Start(std::uint64_t seed);

  // Everything before the window is shown, for the game the platform kept in this run where it
  // kept a usable one, else for a new game from `seed`. True when it brought back the kept game,
  // which it then announces (ResumedGameNews).
  bool StartOrResume(std::uint64_t seed);

  // Hands one event to the command handler, then keeps the game with the platform as it stands
  // now, or none once the window has ended.
  void Handle(const WindowEvent& event);

  // Shows the window and hands it every event until it is ended (Platform::RunUntilEnded, whose
  // result this is).
  int Run();

  CityState& city() { return *city_; }
  const CityState& city() const { return *city_; }
  MainDialog& dialog() { return dialog_; }
  const MainDialog& dialog() const { return dialog_; }
  GameRandom& random() { return random_; }
  const GameRandom& random() const { return random_; }

 private:
  Platform* platform_;
  // A few kilobytes: off the stack of the window system's callbacks.
  std::unique_ptr<CityState> city_ = std::make_unique<CityState>();
  MainDialog dialog_;
  GameRandom random_;
};

}  // namespace townwright
