// townwright_news_length SEED TURNS: plays TURNS turns of the game from SEED on the in-memory
// window, pressing the nine choices in an order drawn from SEED (not from the game's own draws),
// and prints how long the news of each turn is, which a screen reader says after every press: the
// mean, median, 95th percentile and longest, in characters, and how many figures a turn's news
// names on average.
//   turns 10000: characters mean 123.4, median 120, 95% 160, longest 190; figures 3.1

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/headless/headless_game.h"
#include "shell/turn_news.h"

int main(int argc, char** argv) {
  using namespace townwright;
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s SEED TURNS\n", argv[0]);
    return 2;
  }
  const std::uint64_t seed = std::strtoull(argv[1], nullptr, 10);
  const std::uint64_t turns = std::strtoull(argv[2], nullptr, 10);
  if (turns == 0) return 2;
  const auto game = std::make_unique<HeadlessGame>();
  game->platform().set_keeps_news(true);
  game->Start(seed);
  std::mt19937_64 presses(seed);
  std::vector<std::size_t> lengths;
  double figures = 0;
  for (std::uint64_t turn = 0; turn < turns; ++turn) {
    const ShownFigures before = FiguresShown(game->city());
    if (!game->Press(static_cast<int>(1 + presses() % kChoiceButtons))) return 1;
    lengths.push_back(game->platform().announcements().back().size());
    for (int k = 1; k <= kIndicatorCount; ++k) {
      if (game->city().IndicatorText[k] != before[k]) ++figures;
    }
  }
  std::sort(lengths.begin(), lengths.end());
  double total = 0;
  for (const std::size_t length : lengths) total += static_cast<double>(length);
  const auto at = [&lengths](double share) {
    return lengths[static_cast<std::size_t>(share * static_cast<double>(lengths.size() - 1))];
  };
  std::printf("turns %llu: characters mean %.1f, median %zu, 95%% %zu, longest %zu; figures %.1f\n",
              static_cast<unsigned long long>(turns), total / static_cast<double>(turns), at(0.5),
              at(0.95), lengths.back(), figures / static_cast<double>(turns));
  return 0;
}
