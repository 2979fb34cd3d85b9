// townwright on a web page: the game compiled to WebAssembly, its window drawn by the page.

#include <emscripten.h>

#include <cstdint>

#include "data/random_source.h"
#include "platform/web/web_platform.h"
#include "shell/game_session.h"

// A test fixes the seed by the page's address (?seed=N, N a whole number below 10^15), so that two
// tabs play the same game; only a browser driven by automation (navigator.webdriver) heeds it, so
// a link can never fix a player's game. -1: no seed fixed.
// clang-format off
EM_JS(double, TownwrightSeedForTests, (), {
  const text = new URLSearchParams(location.search).get("seed");
  const seed = Number(text);
  return navigator.webdriver === true && String(seed) === text && Number.isInteger(seed) &&
      seed >= 0 && seed < 1e15 ? seed : -1;
});
// clang-format on

int main() {
  // The page's loop is the browser's, which hands the window its events after this returns: the
  // window and its game live on, for the page's life.
  static townwright::web::WebPlatform platform;
  static townwright::GameSession session(platform);
  // The seed is the time of day, as on the desktop, unless a test fixed it.
  const double fixed = TownwrightSeedForTests();
  session.StartOrResume(fixed >= 0 ? static_cast<std::uint64_t>(fixed)
                                   : townwright::SeedFromTimeOfDay());
  session.Run();
  return 0;
}
