#pragma once

// Random sources for tests: a fixed script of draws, then a constant once the script runs out.

#include <cstddef>
#include <utility>
#include <vector>

#include "data/random_source.h"

namespace townwright::testing {

class ScriptedRandom final : public RandomSource {
 public:
  explicit ScriptedRandom(std::vector<double> script = {}, double after_script = 0)
      : script_(std::move(script)), after_script_(after_script) {}

  double NextUniform() override {
    const double draw = drawn_ < script_.size() ? script_[drawn_] : after_script_;
    ++drawn_;
    return draw;
  }

  std::size_t drawn() const { return drawn_; }

 private:
  std::vector<double> script_;
  double after_script_;
  std::size_t drawn_ = 0;
};

// The largest double below 1: every INT(n * r) it gives is n - 1.
inline constexpr double kJustBelowOne = 1.0 - 0x1.0p-53;

}  // namespace townwright::testing
