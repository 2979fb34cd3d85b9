#pragma once

// The rules every record the game makes keeps between two events, however it was played: a copy of
// a game brought back is used only where it keeps them (shell/kept_game.h), and the tests check
// them after every action, with what the window shows on top (tests/game_invariants.h).

#include <string>

#include "data/city_state.h"

namespace townwright {

// The first rule `city` breaks, described for a person; empty when it keeps them all:
// - the day is 1 to 27, the month 1 to 12, and every tax rate finite;
// - choice 1 does nothing; every other caption is empty, or the one its code gives, for a project
//   that stands in the list its offer is drawn from;
// - before the first turn (no DayText yet): the first day of 2008, and the start deck of projects
//   0 to 31 pending; after it: the status lists the sort makes of the projects' progress, the
//   halted and the active ones in the order the last draw shuffled them into.
std::string FindBrokenRecordRule(const CityState& city);

}  // namespace townwright
