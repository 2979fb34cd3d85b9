// townwright_bare_draws TURNS: the baseline of a turn's cost, a program that only makes the draws
// of TURNS turns (6,062 each: a turn that builds nothing) with the standard library's
// std::mt19937_64, the generator the game's own is draw for draw, each made a number in [0, 1) as
// the game makes it. Prints their sum, so that none is left out. scripts/measure engine runs it
// against townwright-sim playing as many turns.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: townwright_bare_draws TURNS\n");
    return 2;
  }
  // 2,000 for each of three shuffles, one for the offer limit, 60 incomes and one for Workforce.
  constexpr std::uint64_t kDrawsPerTurn = 3 * 2000 + 1 + 60 + 1;
  const std::uint64_t draws = std::strtoull(argv[1], nullptr, 10) * kDrawsPerTurn;
  std::mt19937_64 engine(1);
  double sum = 0;
  for (std::uint64_t i = 0; i < draws; ++i) sum += static_cast<double>(engine() >> 11) * 0x1.0p-53;
  std::printf("%.17g\n", sum);
  return 0;
}
