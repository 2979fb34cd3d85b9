#include "townwright-sim/simulation.h"

#include <algorithm>
#include <memory>
#include <string>

#include "shell/control_table.h"
#include "shell/headless/headless_game.h"

namespace townwright::sim_tool {
namespace {

// The controls a turn writes, in ascending order of identifier: the choice buttons, the figure,
// trend and tax boxes, and the date.
std::vector<int> ShownControls() {
  std::vector<int> ids;
  for (const auto controls : {WindowControls(), TaxBoxes()}) {
    for (const ControlLayout& layout : controls) {
      if (layout.kind == ControlKind::kTextBox || layout.source == InitialText::kChoiceText) {
        ids.push_back(layout.id);
      }
    }
  }
  std::sort(ids.begin(), ids.end());
  return ids;
}

}  // namespace

std::string CsvQuoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

void RunSimulation(const SimulationOptions& options, std::ostream& out) {
  const std::vector<int> shown = ShownControls();
  std::string row = "turn,pressed";
  for (const int id : shown) {
    row += ',';
    row += std::to_string(id);
  }
  out << row << '\n';

  const auto game = std::make_unique<HeadlessGame>(options.seed);
  game->Send({.kind = WindowEvent::Kind::kInitialise});

  std::size_t next_step = 0;
  for (std::uint64_t turn = 1; turn <= options.turns;) {
    const PressStep& step = options.steps[next_step];
    next_step = (next_step + 1) % options.steps.size();
    if (step.button == 0) {
      game->SetTaxes(step.tax[0], step.tax[1], step.tax[2]);
      continue;
    }
    game->Press(step.button);
    row = std::to_string(turn) + "," + std::to_string(step.button);
    for (const int id : shown) {
      row += ',';
      row += CsvQuoted(game->Text(id).value_or(""));
    }
    out << row << '\n';
    ++turn;
  }
}

}  // namespace townwright::sim_tool
