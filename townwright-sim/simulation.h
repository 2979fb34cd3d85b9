#pragma once

// Plays a game in the headless window and writes what the window shows after every turn as CSV.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "townwright-sim/press_list.h"

namespace townwright::sim_tool {

// How the header names a column: by the control's identifier ("1029") or by what the window
// calls it ("treasury", "treasury_trend", "income_tax", "choice_1", "day").
enum class ColumnNames { kIdentifiers, kNames };

// What a row holds: the texts exactly as the window shows them, each in double quotes, or plain
// numbers (no "$", no grouping, a trend as its ratio, the month as its number) with the choices'
// captions still quoted.
enum class Values { kTexts, kNumbers };

struct SimulationOptions {
  std::uint64_t seed = 0;
  std::uint64_t turns = 100;
  std::vector<PressStep> steps;  // repeated in order until `turns` turns have been played
  ColumnNames columns = ColumnNames::kIdentifiers;
  Values values = Values::kTexts;
};

// `text` in double quotes, with any double quote in it doubled.
std::string CsvQuoted(std::string_view text);

// "Citizen's Monthly" as a column name: "citizens_monthly".
std::string ColumnName(std::string_view accessible_name);

// The number a figure's text shows, written plainly for a program to read: "$ 1,234" is 1234,
// "$-1E+20" -1E+20, " .5" 0.5, "UP 103%" 1.03 and "DN 50%" -0.5 (a trend is the ratio of the
// value to the one 30 turns before), " Inf" inf, " NaN" nan. Empty when the text shows no number.
std::string PlainNumber(std::string_view shown);

// Writes the header row, then one row per turn: the turn number, the button pressed and every
// control a turn writes (the choice buttons, the figure, trend and tax boxes, and the date), in
// ascending order of identifier. Every row ends with a line feed. Stops at the first write that
// fails and returns false; true when every row was written.
bool RunSimulation(const SimulationOptions& options, std::ostream& out);

}  // namespace townwright::sim_tool
