// townwright_control_layout: prints the control table, one JSON object a line in creation order
// (the three tax boxes last), so that tests written in other languages read the window's layout
// and its accessible names from the one table instead of copying them:
//   {"id": 1029, "kind": "text box", "text": "", "source": "indicator", "place": [10, 30, 70, 15],
//    "name": "Treasury", "name_without_offer": "", "with_window": true}

#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "shell/control_table.h"

namespace {

using namespace townwright;

std::string Json(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

std::string_view KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::kFrame:
      return "frame";
    case ControlKind::kLabel:
      return "label";
    case ControlKind::kButton:
      return "button";
    case ControlKind::kTextBox:
      return "text box";
  }
  return "";
}

std::string_view SourceName(InitialText source) {
  switch (source) {
    case InitialText::kChoiceText:
      return "choice";
    case InitialText::kIndicatorText:
      return "indicator";
    case InitialText::kFixed:
      break;
  }
  return "fixed";
}

std::string Line(const ControlLayout& layout, bool with_window) {
  const DialogRect& place = layout.place;
  return "{\"id\": " + std::to_string(layout.id) + ", \"kind\": " + Json(KindName(layout.kind)) +
         ", \"text\": " + Json(layout.text) + ", \"source\": " + Json(SourceName(layout.source)) +
         ", \"place\": [" + std::to_string(place.x) + ", " + std::to_string(place.y) + ", " +
         std::to_string(place.width) + ", " + std::to_string(place.height) +
         "], \"name\": " + Json(AccessibleName(layout)) +
         ", \"name_without_offer\": " + Json(NameWithoutOffer(layout)) +
         ", \"with_window\": " + (with_window ? "true" : "false") + "}\n";
}

}  // namespace

int main() {
  std::string out;
  for (const ControlLayout& layout : WindowControls()) out += Line(layout, true);
  for (const ControlLayout& layout : TaxBoxes()) out += Line(layout, false);
  std::fputs(out.c_str(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
