#pragma once

// Plays a game in the headless window and writes what the window shows after every turn as CSV.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "townwright-sim/press_list.h"

namespace townwright::sim_tool {

struct SimulationOptions {
  std::uint64_t seed = 0;
  std::uint64_t turns = 100;
  std::vector<PressStep> steps;  // repeated in order until `turns` turns have been played
};

// `text` in double quotes, with any double quote in it doubled.
std::string CsvQuoted(std::string_view text);

// Writes the header row, then one row per turn: the turn number, the button pressed and the text
// of every shown control (1011..1019, 1029..1049, 1051..1053), each text in double quotes with any
// double quote doubled. Every row ends with a line feed.
void RunSimulation(const SimulationOptions& options, std::ostream& out);

}  // namespace townwright::sim_tool
