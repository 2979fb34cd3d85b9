// townwright_kept_game_size SEED TURNS...: plays "do nothing" turns of the game from SEED on the
// in-memory window, keeping it after every event as every platform does, and prints the kept
// copy's length in characters (one byte each: the copy is base64) once each count of TURNS is
// reached, a line each:
//   10 1234
// Every platform's copy is made by the same portable code, so this gives the page's copy after
// more turns than the page could play in a measuring run (each of its turns pauses 0.9 s).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/headless/headless_game.h"

int main(int argc, char** argv) {
  using namespace townwright;
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s SEED TURNS...\n", argv[0]);
    return 2;
  }
  const auto game = std::make_unique<HeadlessGame>();
  game->platform().set_keeps_games(true);
  game->Start(std::strtoull(argv[1], nullptr, 10));
  for (int i = 2; i < argc; ++i) {
    const std::uint64_t turns = std::strtoull(argv[i], nullptr, 10);
    while (game->turns_played() < turns) {
      // A press that plays no turn would leave this waiting for ever.
      if (!game->Press(1)) {
        std::fprintf(stderr, "turn %llu was not played\n",
                     static_cast<unsigned long long>(game->turns_played() + 1));
        return 1;
      }
    }
    std::printf("%llu %zu\n", static_cast<unsigned long long>(turns),
                game->platform().KeptGame().size());
  }
  return 0;
}
