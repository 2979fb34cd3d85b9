#pragma once

// Whether two windows hold the same game: the same record bit for bit (catalogues apart), the same
// generator state, and the same controls in the same order, each showing the same text under the
// same name, place and font. Two such games play on alike whatever is pressed.

#include <string>

#include "platform/headless/headless_game.h"

namespace townwright::testing {

// The first difference between `game` and `expected`, described for a person; empty when none.
std::string FindDifference(const HeadlessGame& game, const HeadlessGame& expected);

}  // namespace townwright::testing
