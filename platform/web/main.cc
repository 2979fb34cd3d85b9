// townwright on a web page: the game compiled to WebAssembly, its window drawn by the page.

#include <emscripten.h>

#include <cstdint>

#include "data/random_source.h"
#include "platform/web/page_functions.h"
#include "platform/web/web_platform.h"
#include "shell/game_session.h"

int main() {
  // The page's loop is the browser's, which hands the window its events after this returns: the
  // window and its game live on, for the page's life.
  static townwright::web::WebPlatform platform;
  static townwright::GameSession session(platform);
  // The seed is the time of day, as on the desktop, unless a test fixed it (only a browser driven
  // by automation heeds the page's ?seed=N).
  const double fixed = TownwrightSeedForTests();
  session.StartOrResume(fixed >= 0 ? static_cast<std::uint64_t>(fixed)
                                   : townwright::SeedFromTimeOfDay());
  session.Run();
  return 0;
}
