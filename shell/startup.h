#pragma once

// The game's whole run in a program's window.

#include <cstdint>

#include "shell/platform.h"

namespace townwright {

// Starts or resumes a game (GameSession) and plays it until the window is ended, keeping it with
// the platform after every event. Returns the exit status: 0 however the window was ended, 1 when
// there was no window to play in (no display, for one).
int RunTownwright(Platform& platform, std::uint64_t seed);

}  // namespace townwright
