#pragma once

// Where the game's chance comes from. Every procedure that draws takes a RandomSource, so a test
// can run a game from a fixed seed or from a scripted sequence of draws.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace townwright {

class RandomSource {
 public:
  virtual ~RandomSource() = default;

  // The next uniform number in [0, 1).
  virtual double NextUniform() = 0;

  // Where every draw of this source is a whole multiple of 2^-53, as the game's generator's are:
  // the next draws.size() draws, each as the whole number k of its k * 2^-53, in order, and true.
  // Elsewhere (a test's scripted draws) it draws nothing and is false. The turn's shuffles take
  // their 6,000 draws so: one call, and whole-number arithmetic, rather than a call a draw.
  virtual bool NextWholeDraws(std::span<std::uint64_t> /*draws*/) { return false; }
};

// Everything the game generator's next draws depend on: the 64-bit Mersenne Twister's 312 words
// and how many of them have been drawn since they were last renewed.
struct GeneratorState {
  static constexpr std::size_t kWords = 312;
  std::array<std::uint64_t, kWords> words{};
  std::uint32_t drawn = kWords;  // 0..kWords; kWords: the words are renewed before the next draw
  friend bool operator==(const GeneratorState&, const GeneratorState&) = default;
};

// The game's generator: a 64-bit Mersenne Twister (the standard library's mt19937_64, draw for
// draw) seeded once with one 64-bit value. A draw keeps the top 53 bits, so it is a multiple of
// 2^-53 and never reaches 1. Written out rather than taken from the library so that its state can
// be kept and brought back, in the same form on every platform.
class GameRandom final : public RandomSource {
 public:
  explicit GameRandom(std::uint64_t seed = 0) { Seed(seed); }

  void Seed(std::uint64_t seed);

  double NextUniform() override { return static_cast<double>(Next() >> kDroppedBits) * 0x1.0p-53; }
  bool NextWholeDraws(std::span<std::uint64_t> draws) override;

  // The next 64-bit output of the engine.
  std::uint64_t Next() {
    if (state_.drawn >= GeneratorState::kWords) Renew();
    return Temper(state_.words[state_.drawn++]);
  }

  const GeneratorState& state() const { return state_; }
  // Goes on from `state`, as a generator in it would. False, changing nothing, for a state no
  // generator can be in (more words drawn than there are).
  bool Restore(const GeneratorState& state);

 private:
  static std::uint64_t Temper(std::uint64_t word) {
    word ^= (word >> 29) & 0x5555555555555555;
    word ^= (word << 17) & 0x71D67FFFEDA60000;
    word ^= (word << 37) & 0xFFF7EEE000000000;
    return word ^ (word >> 43);
  }
  void Renew();

  // A draw keeps the top 53 of the engine's 64 bits.
  static constexpr int kDroppedBits = 11;
  GeneratorState state_;
};

// A seed taken from the time of day, as the game seeds itself.
std::uint64_t SeedFromTimeOfDay();

}  // namespace townwright
