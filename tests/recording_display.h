#pragma once

// A display that records what a turn's steps show, in order.

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "view/display.h"

namespace townwright::testing {

class RecordingDisplay final : public Display {
 public:
  void RefreshControl(int control_id, std::string_view text) override {
    refreshes.emplace_back(control_id, std::string(text));
    shown[control_id] = std::string(text);
  }
  void ApplyYearFont() override { ++year_font_applied; }
  void Pause(int milliseconds) override { pauses.push_back(milliseconds); }

  std::vector<std::pair<int, std::string>> refreshes;
  std::map<int, std::string> shown;  // the latest text of each control
  std::vector<int> pauses;
  int year_font_applied = 0;
};

}  // namespace townwright::testing
