#pragma once

// A random player for long games: what it presses and what it types into the tax boxes, drawn from
// its own generator so that the game's draws stay the game's.

#include <array>
#include <cstdint>
#include <random>
#include <string>

#include "shell/platform.h"

namespace townwright::testing {

class RandomPlayer {
 public:
  // A sensible player types ordinary rates, some negative or above 100; a reckless one also types
  // huge, tiny and based numbers, texts that are no number at all, and any bytes.
  enum class Temper { kSensible, kReckless };

  RandomPlayer(std::uint64_t seed, Temper temper) : engine_(seed), temper_(temper) {}

  std::string TaxText();

  struct Action {
    enum class Kind {
      kPress,     // a choice button: one turn
      kSetTaxes,  // types `tax_texts` into the three tax boxes and presses "Update Tax Rates"
      kEvent,     // anything else: "Update Tax Rates" alone, "Save", "Load", "New", switching
                  // windows, or a command that is not a click
    };
    Kind kind = Kind::kPress;
    int button = 1;
    std::array<std::string, 3> tax_texts;
    WindowEvent event;
  };
  // Mostly presses of a choice button: a game of n actions plays about 0.94 n turns.
  Action NextAction();

 private:
  int Uniform(int low, int high) { return std::uniform_int_distribution(low, high)(engine_); }

  std::mt19937_64 engine_;
  Temper temper_;
};

}  // namespace townwright::testing
