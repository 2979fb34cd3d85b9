#pragma once

// Where the game's chance comes from. Every procedure that draws takes a RandomSource, so a test
// can run a game from a fixed seed or from a scripted sequence of draws.

#include <cstdint>
#include <random>

namespace townwright {

class RandomSource {
 public:
  virtual ~RandomSource() = default;

  // The next uniform number in [0, 1).
  virtual double NextUniform() = 0;
};

// The game's generator: a 64-bit Mersenne Twister seeded once with one 64-bit value. A draw keeps
// the top 53 bits, so it is a multiple of 2^-53 and never reaches 1.
class GameRandom final : public RandomSource {
 public:
  explicit GameRandom(std::uint64_t seed = 0) : engine_(seed) {}

  void Seed(std::uint64_t seed) { engine_.seed(seed); }

  double NextUniform() override { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

 private:
  std::mt19937_64 engine_;
};

// A seed taken from the time of day, as the game seeds itself.
std::uint64_t SeedFromTimeOfDay();

}  // namespace townwright
