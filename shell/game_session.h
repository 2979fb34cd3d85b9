#pragma once

// One game played in one window: the record, what the game keeps of its window (the dialog) and
// the generator, over a platform. Every run of the game goes through a session: the programs, the
// headless game of the tests and tools, and the contract suite's harness. The session's steps are
// its own private members: building the window (here), handling an event (command_handler.cc),
// keeping the game and bringing a kept one back (kept_game.cc).

#include <cstdint>
#include <memory>

#include "data/city_state.h"
#include "data/random_source.h"
#include "shell/main_dialog.h"
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
  // The window: creates the main window, its 53 controls in creation order with
  // their first texts from the record, and the year font, which it gives to the year box. If the
  // window cannot be created, MainDialogHandle stays 0 and nothing else is made.
  void BuildMainDialog();

  // The command handler (command_handler.cc), for one event of the main window. The focus is saved
  // on deactivation and given back on activation. Commands act only with notification code 0 (a
  // click) or 1: a choice button plays one turn and tells it (Platform::Announce), "Update Tax
  // Rates" reads the three tax boxes into the rates, "Save", "Load" and "New" answer that they are
  // not enabled, "Exit" ends the window with result 1. The window manager's close ends it with
  // result 0. Everything else, typing included, changes nothing.
  void MainDialogCallback(const WindowEvent& event);
  void HandleActivation(bool active);
  void HandleCommand(int id, int notification_code);
  // Each tax box's text, read as a number, divided by 100; a missing box reads as the empty text,
  // so the rate becomes 0.
  void UpdateTaxRates();
  void EndWindow(int result);

  // The kept game (kept_game.cc): after an event, keeps the game as it stands with the platform in
  // place of the copy kept before, or, once the game has ended the window, none; nothing where the
  // platform keeps no games. And brings back the game the platform kept in this run: the record
  // (catalogues included), the generator, and the window showing what it showed; false, having
  // changed nothing and made no window, when there is nothing usable.
  void KeepRunningGame();
  bool ResumeKeptGame();

  Platform* platform_;
  // A few kilobytes: off the stack of the window system's callbacks.
  std::unique_ptr<CityState> city_ = std::make_unique<CityState>();
  MainDialog dialog_;
  GameRandom random_;
};

}  // namespace townwright
