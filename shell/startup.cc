#include "shell/startup.h"

#include "shell/game_session.h"

namespace townwright {

int RunTownwright(Platform& platform, std::uint64_t seed) {
  GameSession session(platform);
  session.StartOrResume(seed);
  // A game that never showed its window did not run: saying otherwise would hide the failure.
  if (session.dialog().MainDialogHandle == 0) return 1;
  session.Run();
  return 0;
}

}  // namespace townwright
