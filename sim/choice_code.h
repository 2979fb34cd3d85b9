#pragma once

// How a choice's code says what the choice does: -1 do nothing, P build project P, 1000 + P
// reactivate it, 2000 + P halt it. The project list writes codes, the decision reads them and the
// buttons' captions are made from them.

#include "data/arithmetic.h"

namespace townwright::choice_code {

inline constexpr double kDoNothing = -1;
inline constexpr double kReactivateBase = 1000;
inline constexpr double kHaltBase = 2000;

inline double Build(int project) { return project; }
inline double Reactivate(int project) { return kReactivateBase + project; }
inline double Halt(int project) { return kHaltBase + project; }

enum class Decision { kDoNothing, kBuild, kReactivate, kHalt };

struct DecodedChoice {
  Decision decision = Decision::kDoNothing;
  Extended project = 0;  // not yet checked to name a project
};

// The range tests are strict (above 1000 and below 1999, above 2000 and below 2999); any other
// code but -1 is a Build of project `code`, 0 included: a slot that was never filled holds 0.
inline DecodedChoice Decode(double code) {
  if (code == kDoNothing) return {Decision::kDoNothing, 0};
  if (code > kReactivateBase && code < 1999)
    return {Decision::kReactivate, Extended{code} - kReactivateBase};
  if (code > kHaltBase && code < 2999) return {Decision::kHalt, Extended{code} - kHaltBase};
  return {Decision::kBuild, code};
}

}  // namespace townwright::choice_code
