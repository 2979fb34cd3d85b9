// townwright on a web page: the game compiled to WebAssembly, its window drawn by the page.

#include "data/random_source.h"
#include "platform/web/web_platform.h"
#include "shell/startup.h"

int main() {
  townwright::web::WebPlatform platform;
  // The seed is the time of day, as on the desktop; the page has nothing else to give.
  return townwright::RunTownwright(platform, townwright::SeedFromTimeOfDay());
}
