#include "townwright-sim/simulation.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/headless/headless_game.h"
#include "shell/control_table.h"
#include "view/control_ids.h"
#include "view/date_display.h"

namespace townwright::sim_tool {
namespace {

// The controls a turn writes, in ascending order of identifier.
std::vector<const ControlLayout*> ShownControls() {
  std::vector<const ControlLayout*> shown;
  for (const auto controls : {WindowControls(), TaxBoxes()}) {
    for (const ControlLayout& layout : controls) {
      if (layout.kind == ControlKind::kTextBox || layout.source == InitialText::kChoiceText) {
        shown.push_back(&layout);
      }
    }
  }
  std::sort(shown.begin(), shown.end(),
            [](const ControlLayout* a, const ControlLayout* b) { return a->id < b->id; });
  return shown;
}

std::string Header(const std::vector<const ControlLayout*>& shown, ColumnNames names) {
  std::string header = "turn,pressed";
  for (const ControlLayout* layout : shown) {
    header += ',';
    header += names == ColumnNames::kNames ? ColumnName(AccessibleName(*layout))
                                           : std::to_string(layout->id);
  }
  return header;
}

std::string Value(const ControlLayout& layout, const std::string& text, Values values) {
  if (values == Values::kTexts || layout.source == InitialText::kChoiceText) {
    return CsvQuoted(text);
  }
  if (layout.id == control_id::kMonthBox) {
    for (int month = 1; month <= 12; ++month) {
      if (NameOfMonth(month) == text) return std::to_string(month);
    }
    return "";
  }
  return PlainNumber(text);
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

std::string ColumnName(std::string_view accessible_name) {
  std::string name;
  for (const char c : accessible_name) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte)) {
      name += static_cast<char>(std::tolower(byte));
    } else if (c != '\'' && !name.empty() && name.back() != '_') {
      name += '_';
    }
  }
  return name;
}

std::string PlainNumber(std::string_view shown) {
  if (shown.starts_with('$')) shown.remove_prefix(1);
  const bool percent = shown.ends_with('%');
  if (percent) shown.remove_suffix(1);
  bool down = false;
  if (shown.starts_with("UP") || shown.starts_with("DN")) {
    down = shown.starts_with("DN");
    shown.remove_prefix(2);
  }
  std::string number;
  for (const char c : shown) {
    if (c != ' ' && c != ',') number += c;
  }
  const bool negative = number.starts_with('-');
  const std::string magnitude = number.substr(negative ? 1 : 0);
  if (magnitude.empty()) return "";
  if (magnitude == "Inf") return negative != down ? "-inf" : "inf";
  if (magnitude == "NaN") return "nan";
  if (magnitude.find_first_not_of("0123456789.E+-") != std::string::npos) return "";
  if (!percent) {
    // " .5" has no "0" before the point; a reader of CSV may want one.
    return std::string(negative ? "-" : "") + (magnitude[0] == '.' ? "0" : "") + magnitude;
  }
  // A percentage as the ratio it shows: 15 significant digits are as many as the text has.
  char ratio[40];
  const double value = std::strtod(magnitude.c_str(), nullptr) / 100;
  std::snprintf(ratio, sizeof ratio, "%.15g", negative != down ? -value : value);
  return ratio;
}

bool RunSimulation(const SimulationOptions& options, std::ostream& out) {
  const std::vector<const ControlLayout*> shown = ShownControls();
  out << Header(shown, options.columns) << '\n';

  const auto game = std::make_unique<HeadlessGame>(options.seed);
  game->Send({.kind = WindowEvent::Kind::kInitialise});

  std::size_t next_step = 0;
  for (std::uint64_t turn = 1; turn <= options.turns && out;) {
    const PressStep& step = options.steps[next_step];
    next_step = (next_step + 1) % options.steps.size();
    if (step.button == 0) {
      game->SetTaxes(step.tax[0], step.tax[1], step.tax[2]);
      continue;
    }
    game->Press(step.button);
    std::string row = std::to_string(turn) + "," + std::to_string(step.button);
    for (const ControlLayout* layout : shown) {
      row += ',';
      row += Value(*layout, game->Text(layout->id).value_or(""), options.values);
    }
    out << row << '\n';
    ++turn;
  }
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace townwright::sim_tool
