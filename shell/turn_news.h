#pragma once

// What a player who cannot see the window is told of a press (Platform::Announce), in the
// window's own words: where a sighted player glances at the figures after a turn, a screen reader
// says once what changed, short enough to be heard after every press.

#include <array>
#include <string>

#include "data/city_state.h"

namespace townwright {

// The eight figures the window shows, indicator k in element k, taken before a turn so that its
// news names only the figures the turn changed.
using ShownFigures = std::array<std::string, kIndicatorCount + 1>;
ShownFigures FiguresShown(const CityState& city);

// After a turn: its date, each indicator whose figure changed with its new figure, and how many
// choices the buttons now offer. "January 2, 2008. Treasury $ 1,234; Census 1,000. 9 new choices."
std::string TurnNews(const ShownFigures& before, const CityState& city);

// When the game kept for the run comes back (a page loaded again): that the game goes on, and on
// which day once a turn has been played.
std::string ResumedGameNews(const CityState& city);

}  // namespace townwright
