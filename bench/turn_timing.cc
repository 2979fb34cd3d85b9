// townwright_turn_timing: the engine's cost of a turn, without Google Benchmark, so that the build
// for node can time it too. Plays "do nothing" turns of the game from seed 1 on the in-memory
// window (pauses recorded, not slept), in batches of 100 after 100 to warm up, and prints the
// median microseconds a turn over BATCHES batches (default 21). scripts/measure web runs the
// native and the node builds in the same run.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/headless/headless_game.h"

int main(int argc, char** argv) {
  using namespace townwright;
  const int batches = argc > 1 ? std::clamp(std::atoi(argv[1]), 1, 1000) : 21;
  constexpr int kTurnsPerBatch = 100;
  const auto game = std::make_unique<HeadlessGame>(1);
  for (int i = 0; i < kTurnsPerBatch; ++i) game->Press(1);

  std::vector<double> microseconds;
  for (int batch = 0; batch < batches; ++batch) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kTurnsPerBatch; ++i) game->Press(1);
    const std::chrono::duration<double, std::micro> spent =
        std::chrono::steady_clock::now() - start;
    microseconds.push_back(spent.count() / kTurnsPerBatch);
  }
  std::nth_element(microseconds.begin(), microseconds.begin() + batches / 2, microseconds.end());
  std::printf("%.2f\n", microseconds[static_cast<std::size_t>(batches / 2)]);
  return 0;
}
