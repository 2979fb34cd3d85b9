// Prints every control of the main window as the control table gives it, with the accessible
// name the page gives it: one JSON object a line, which the page's test checks the page against.

#include <iostream>
#include <span>
#include <string>
#include <string_view>

#include "shell/control_table.h"
#include "shell/web/accessible_name.h"

namespace {

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

std::string_view SourceOf(townwright::InitialText source) {
  switch (source) {
    case townwright::InitialText::kChoiceText:
      return "choice";
    case townwright::InitialText::kIndicatorText:
      return "indicator";
    case townwright::InitialText::kFixed:
      break;
  }
  return "fixed";
}

void Print(std::span<const townwright::ControlLayout> controls, bool with_window) {
  for (const townwright::ControlLayout& control : controls) {
    std::cout << "{\"id\": " << control.id << ", \"kind\": " << static_cast<int>(control.kind)
              << ", \"text\": " << Quoted(control.text)
              << ", \"source\": " << Quoted(SourceOf(control.source)) << ", \"place\": ["
              << control.place.x << ", " << control.place.y << ", " << control.place.width << ", "
              << control.place.height
              << "], \"name\": " << Quoted(townwright::web::AccessibleNameOf(control.id))
              << ", \"with_window\": " << (with_window ? "true" : "false") << "}\n";
  }
}

}  // namespace

int main() {
  Print(townwright::WindowControls(), true);
  Print(townwright::TaxBoxes(), false);
  return std::cout ? 0 : 1;
}
