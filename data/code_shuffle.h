#pragma once

// The shuffle of a code string, used for the start deck and for the offers of every turn.

#include <string>

#include "data/random_source.h"

namespace townwright {

// Repeats 1000 times: A = INT(range * r), B = INT(range * r), each with a fresh draw, then
// exchanges the characters at positions A and B, counting from 1. Position 0 holds no character, so
// a draw of 0 leaves the string as it is; with `range` equal to the length, the last character
// never moves.
void ShuffleCodes(std::string& codes, double range, RandomSource& random);

}  // namespace townwright
