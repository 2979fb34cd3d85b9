// townwright_control_layout: prints the control table as JSON, one object per control in creation
// order (the three tax boxes last), so that tests written in other languages read the window's
// layout and accessible names from the one table instead of copying them:
//   {"id": 1029, "kind": "text box", "text": "", "x": 10, "y": 30, "width": 70, "height": 15,
//    "name": "Treasury", "created_with_window": true}

#include <cstdio>
#include <string>
#include <string_view>

#include "shell/control_table.h"

namespace {

std::string Json(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

const char* KindName(townwright::ControlKind kind) {
  switch (kind) {
    case townwright::ControlKind::kFrame:
      return "frame";
    case townwright::ControlKind::kLabel:
      return "label";
    case townwright::ControlKind::kButton:
      return "button";
    case townwright::ControlKind::kTextBox:
      return "text box";
  }
  return "";
}

}  // namespace

int main() {
  using namespace townwright;
  std::string out = "[\n";
  for (const bool with_window : {true, false}) {
    for (const ControlLayout& layout : with_window ? WindowControls() : TaxBoxes()) {
      if (out.size() > 2) out += ",\n";
      const DialogRect& place = layout.place;
      out += "  {\"id\": " + std::to_string(layout.id) +
             ", \"kind\": " + Json(KindName(layout.kind)) + ", \"text\": " + Json(layout.text) +
             ", \"x\": " + std::to_string(place.x) + ", \"y\": " + std::to_string(place.y) +
             ", \"width\": " + std::to_string(place.width) +
             ", \"height\": " + std::to_string(place.height) +
             ", \"name\": " + Json(AccessibleName(layout)) +
             ", \"created_with_window\": " + (with_window ? "true" : "false") + "}";
    }
  }
  out += "\n]\n";
  std::fputs(out.c_str(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
