#pragma once

// The steps of townwright-sim's --press list.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace townwright::sim_tool {

struct PressStep {
  int button = 0;                // 1..9: press that choice button (one turn); 0: a tax step
  std::vector<std::string> tax;  // a tax step: the income, sales and property tax texts
};

struct PressList {
  std::vector<PressStep> steps;
  std::string error;  // why the list was refused; empty when it was read
};

// Reads "1,3,tax=25/5/10,2": comma-separated steps, each a button number 1 to 9 or "tax=A/B/C".
// A tax text may be written in double quotes, inside which "," and "/" are part of the text and
// "" stands for one double quote: tax="1,000"/"a/b"/"say ""hi""". The list must hold at least
// one button step, or it could never play a turn.
PressList ParsePressList(std::string_view list);

}  // namespace townwright::sim_tool
