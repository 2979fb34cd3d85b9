// Presses buttons of the running game's window, in the order given, each press handled before the
// next. A button is named as a player names it, by its caption or, for a choice, by its place:
// `press_buttons "Choice 1" "Choice 1" Exit` plays two turns and exits. Then prints the window's
// place on the screen as "x y width height" (for the screenshot script). Exit status 0 when every
// button was pressed, 1 when the window or a button was missing.

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/win32/tests/automation.h"
#include "shell/control_table.h"
#include "shell/main_window.h"

namespace {

// The identifier of the button named `name`, or 0.
int ButtonNamed(std::string_view name) {
  for (const townwright::ControlLayout& control : townwright::WindowControls()) {
    if (control.kind == townwright::ControlKind::kButton &&
        (control.text == name || townwright::AccessibleName(control) == name)) {
      return control.id;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace townwright::win32::automation;
  HWND window = nullptr;
  const auto give_up = std::chrono::steady_clock::now() + kPatience;
  while ((window = FindVisibleWindow(townwright::kWindowCaption)) == nullptr) {
    if (std::chrono::steady_clock::now() > give_up) {
      std::fprintf(stderr, "no game window\n");
      return 1;
    }
    Sleep(50);
  }
  for (int i = 1; i < argc; ++i) {
    const int id = ButtonNamed(argv[i]);
    if (id == 0 || !Click(window, id)) {
      std::fprintf(stderr, "could not press \"%s\"\n", argv[i]);
      return 1;
    }
  }
  RECT place = {};
  if (IsWindow(window) && GetWindowRect(window, &place)) {
    std::printf("%ld %ld %ld %ld\n", place.left, place.top, place.right - place.left,
                place.bottom - place.top);
  }
  return 0;
}
