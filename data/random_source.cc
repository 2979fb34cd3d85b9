#include "data/random_source.h"

#include <algorithm>
#include <chrono>

namespace townwright {
namespace {

constexpr std::size_t kWords = GeneratorState::kWords;
constexpr std::size_t kShift = 156;  // the word each renewed word is mixed with, this far on
constexpr std::uint64_t kUpperBits = ~std::uint64_t{0} << 31;
constexpr std::uint64_t kTwist = 0xB5026F5AA96619E9;

}  // namespace

void GameRandom::Seed(std::uint64_t seed) {
  state_.words[0] = seed;
  for (std::size_t i = 1; i < kWords; ++i) {
    const std::uint64_t previous = state_.words[i - 1];
    state_.words[i] = 6364136223846793005 * (previous ^ (previous >> 62)) + i;
  }
  state_.drawn = kWords;
}

bool GameRandom::Restore(const GeneratorState& state) {
  if (state.drawn > kWords) return false;
  state_ = state;
  return true;
}

bool GameRandom::NextWholeDraws(std::span<std::uint64_t> draws) {
  // A run of words at a time, between renewals, in a loop the compiler can widen.
  std::size_t done = 0;
  while (done < draws.size()) {
    if (state_.drawn >= kWords) Renew();
    const std::size_t run = std::min(draws.size() - done, kWords - state_.drawn);
    const std::uint64_t* words = state_.words.data() + state_.drawn;
    for (std::size_t i = 0; i < run; ++i) draws[done + i] = Temper(words[i]) >> kDroppedBits;
    state_.drawn += static_cast<std::uint32_t>(run);
    done += run;
  }
  return true;
}

void GameRandom::Renew() {
  auto& words = state_.words;
  // Word i takes the top bit of itself and the rest of the next word, mixed with the word kShift
  // on, counted round the end: in place, so the later words mix with words already renewed.
  const auto renew = [&words](std::size_t i, std::size_t next, std::size_t shifted) {
    const std::uint64_t joined = (words[i] & kUpperBits) | (words[next] & ~kUpperBits);
    // The twist when the lowest bit is set, without a branch, which would be mispredicted half the
    // time: the whole of the draws' cost.
    words[i] = words[shifted] ^ (joined >> 1) ^ (kTwist & (0 - (joined & 1)));
  };
  std::size_t i = 0;
  for (; i < kWords - kShift; ++i) renew(i, i + 1, i + kShift);
  for (; i < kWords - 1; ++i) renew(i, i + 1, i + kShift - kWords);
  renew(kWords - 1, 0, kShift - 1);
  state_.drawn = 0;
}

std::uint64_t SeedFromTimeOfDay() {
  // Nanoseconds since the epoch: two games started a moment apart still play differently.
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

}  // namespace townwright
