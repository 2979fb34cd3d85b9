// Benchmarks of the engine. Figures are read as ratios against a baseline measured in the same
// run: a headless turn against the bare draws it makes, NumberToText against an integer
// conversion.

#include <benchmark/benchmark.h>

#include <charconv>
#include <memory>
#include <vector>

#include "data/catalogue.h"
#include "data/city_state.h"
#include "data/random_source.h"
#include "platform/headless/headless_game.h"
#include "sim/economy.h"
#include "view/number_format.h"

namespace townwright {
namespace {

// A turn with nothing built draws 2000 for each of three shuffles, one for the offer limit, 60
// income factors and one for Workforce.
constexpr int kDrawsPerTurn = 3 * 2000 + 1 + 60 + 1;

void BM_BareDrawsOfATurn(benchmark::State& state) {
  GameRandom random(1);
  for (auto _ : state) {
    for (int i = 0; i < kDrawsPerTurn; ++i) benchmark::DoNotOptimize(random.NextUniform());
  }
}
BENCHMARK(BM_BareDrawsOfATurn);

void BM_HeadlessTurn(benchmark::State& state) {
  const auto game = std::make_unique<HeadlessGame>(1);
  for (auto _ : state) game->Press(1);
  benchmark::DoNotOptimize(game->city().Treasury);
}
BENCHMARK(BM_HeadlessTurn);

void BM_EconomyUpdate(benchmark::State& state) {
  const auto city = std::make_unique<CityState>();
  FillCatalogues(*city);
  for (int occupation = 1; occupation <= kOccupationCount; ++occupation) {
    city->Headcount[occupation] = 4294967168u - static_cast<std::uint32_t>(occupation * 977);
  }
  for (int project = 1; project <= kProjectCount; ++project) {
    city->ProjectProgress[project] = project * 0.03;
  }
  GameRandom random(2);
  for (auto _ : state) UpdateEconomy(*city, random);
  benchmark::DoNotOptimize(city->Treasury);
}
BENCHMARK(BM_EconomyUpdate);

// The figures of one turn's panel and buttons: mostly whole numbers, a few fractions.
std::vector<double> PanelFigures() {
  std::vector<double> figures;
  for (int i = 0; i < 1000; ++i) {
    figures.push_back(i % 10 == 0 ? i * 0.37 + 0.5 : (i * 7919.0) * (i % 3 == 0 ? -1 : 1));
  }
  return figures;
}

void BM_NumberToTextBatch(benchmark::State& state) {
  const std::vector<double> figures = PanelFigures();
  for (auto _ : state) {
    for (const double figure : figures) benchmark::DoNotOptimize(NumberToText(figure, 15));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(figures.size()));
}
BENCHMARK(BM_NumberToTextBatch);

void BM_IntegerToCharsBatch(benchmark::State& state) {
  const std::vector<double> figures = PanelFigures();
  char buffer[32];
  for (auto _ : state) {
    for (const double figure : figures) {
      benchmark::DoNotOptimize(
          std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(figure)));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(figures.size()));
}
BENCHMARK(BM_IntegerToCharsBatch);

}  // namespace
}  // namespace townwright

BENCHMARK_MAIN();
