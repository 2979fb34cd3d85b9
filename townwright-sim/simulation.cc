#include "townwright-sim/simulation.h"

#include <memory>
#include <string>

#include "data/city_state.h"
#include "data/random_source.h"
#include "shell/command_handler.h"
#include "shell/headless/headless_platform.h"
#include "shell/startup.h"
#include "view/control_ids.h"

namespace townwright::sim_tool {
namespace {

// The controls a turn changes, in ascending order: the choice buttons, the figure and trend boxes
// with the tax boxes, and the date.
std::vector<int> ShownControls() {
  std::vector<int> ids;
  for (int id = 1011; id <= 1019; ++id) ids.push_back(id);
  for (int id = 1029; id <= 1049; ++id) ids.push_back(id);
  for (int id = 1051; id <= 1053; ++id) ids.push_back(id);
  return ids;
}

WindowEvent Click(int id) {
  return {.kind = WindowEvent::Kind::kCommand, .control_id = id, .notification_code = 0};
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

  HeadlessPlatform window;
  const auto city = std::make_unique<CityState>();
  GameRandom random;
  StartGame(*city, random, window, options.seed);
  const auto send = [&](const WindowEvent& event) {
    MainDialogCallback(*city, random, window, event);
  };
  send({.kind = WindowEvent::Kind::kInitialise});

  std::size_t next_step = 0;
  for (std::uint64_t turn = 1; turn <= options.turns;) {
    const PressStep& step = options.steps[next_step];
    next_step = (next_step + 1) % options.steps.size();
    if (step.button == 0) {
      // Before the first turn the boxes do not exist, and the typing goes nowhere.
      window.Type(control_id::kIncomeTaxBox, step.tax[0]);
      window.Type(control_id::kSalesTaxBox, step.tax[1]);
      window.Type(control_id::kPropertyTaxBox, step.tax[2]);
      send(Click(control_id::kUpdateTaxRates));
      continue;
    }
    send(Click(control_id::kFirstChoiceButton + step.button - 1));
    row = std::to_string(turn) + "," + std::to_string(step.button);
    for (const int id : shown) {
      row += ',';
      row += CsvQuoted(window.ControlText(id).value_or(""));
    }
    out << row << '\n';
    ++turn;
  }
}

}  // namespace townwright::sim_tool
