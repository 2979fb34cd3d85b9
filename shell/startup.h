#pragma once

// The start of a game and its whole life on a platform.

#include <cstdint>

#include "data/city_state.h"
#include "data/random_source.h"
#include "shell/main_window.h"
#include "shell/platform.h"

namespace townwright {

// Everything before the window is shown: the catalogues, the new game from `seed`, the first nine
// choices (whose pauses pass although no window exists yet), the calendar at 1 January 2008, and
// the main window.
void StartGame(CityState& city, MainDialog& window, GameRandom& random, Platform& platform,
               std::uint64_t seed);

// Everything before the window is shown, for the game the platform kept in this run where it kept
// a usable one (ResumeKeptGame), else for a new game from `seed` (StartGame). True when it brought
// back the kept game.
bool StartOrResumeGame(CityState& city, MainDialog& window, GameRandom& random, Platform& platform,
                       std::uint64_t seed);

// Starts or resumes a game and plays it until the window is ended, keeping it with the platform
// after every event; once the window has ended, none is kept. Returns the exit status: 0 however
// the window was ended, 1 when there was no window to play in (no display, for one).
int RunTownwright(Platform& platform, std::uint64_t seed);

}  // namespace townwright
