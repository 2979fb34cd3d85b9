#pragma once

// How a fuzz target reports a broken rule: it names the rule and aborts, which libFuzzer records
// as a crash together with the input that caused it.

#include <cstdio>
#include <cstdlib>
#include <string>

namespace townwright::fuzzing {

inline void Require(bool holds, const std::string& rule) {
  if (holds) return;
  std::fprintf(stderr, "broken: %s\n", rule.c_str());
  std::abort();
}

}  // namespace townwright::fuzzing
