#include "shell/startup.h"

#include <memory>

#include "data/catalogue.h"
#include "data/new_game.h"
#include "shell/command_handler.h"
#include "shell/kept_game.h"
#include "shell/main_window.h"
#include "shell/turn.h"

namespace townwright {

void StartGame(CityState& city, MainDialog& window, GameRandom& random, Platform& platform,
               std::uint64_t seed) {
  FillCatalogues(city);
  SetUpNewGame(city, random, seed);
  WindowDisplay display(window, platform);
  OfferChoices(city, random, display);
  city.Day = 1;
  city.Month = 1;
  city.Year = 2008;
  BuildMainDialog(city, window, platform);
}

bool StartOrResumeGame(CityState& city, MainDialog& window, GameRandom& random, Platform& platform,
                       std::uint64_t seed) {
  if (ResumeKeptGame(city, window, random, platform)) return true;
  StartGame(city, window, random, platform, seed);
  return false;
}

int RunTownwright(Platform& platform, std::uint64_t seed) {
  // The record is a few kilobytes: kept off the stack of the window system's callbacks.
  const auto city = std::make_unique<CityState>();
  MainDialog window;
  GameRandom random;
  StartOrResumeGame(*city, window, random, platform, seed);
  // A game that never showed its window did not run: saying otherwise would hide the failure.
  if (window.MainDialogHandle == 0) return 1;
  platform.RunUntilEnded([&](const WindowEvent& event) {
    MainDialogCallback(*city, window, random, platform, event);
    KeepRunningGame(*city, window, random, platform);
  });
  return 0;
}

}  // namespace townwright
