#pragma once

// What must hold of a game at every moment, however it was played: checked after every action by
// the long-play test and the whole-game fuzzer.

#include <string>

#include "data/city_state.h"
#include "platform/headless/headless_platform.h"

namespace townwright::testing {

// When the game is looked at: the window shows some fixed texts until the first turn writes its
// figures, and the player's own typing stands in the tax boxes until the next turn rewrites them.
// A game brought back after its first turn (kResumed) shows in every text box whatever it showed,
// the player's typing in any of them included.
enum class Moment { kBeforeFirstTurn, kJustAfterTurn, kBetweenTurns, kResumed };

// The first broken rule, described for a person, or the empty string when all hold: those of
// every sound record (view/sound_record.h), and of what the window shows:
// - once a turn wrote them, the date boxes show the record's date;
// - every button shows its choice's caption;
// - exactly one control per identifier, and after the first turn all 56 of them;
// - every figure the game wrote is a well-formed number text in its box's format (not checked of
//   a game brought back, whose boxes may show the player's typing).
std::string FindBrokenRule(const CityState& city, const HeadlessPlatform& platform, Moment moment);

}  // namespace townwright::testing
