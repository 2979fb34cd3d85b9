// Presses buttons of the running game's window, in the order given, each press handled before the
// next: `press_buttons 1011 1011 1055` plays two turns and exits. Then prints the window's place
// on the screen as "x y width height" (for the screenshot script). Exit status 0 when every button
// was pressed, 1 when the window or a button was missing.

#include <cstdio>
#include <cstdlib>

#include "platform/win32/tests/automation.h"
#include "shell/main_window.h"

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
    const int id = std::atoi(argv[i]);
    if (!Click(window, id)) {
      std::fprintf(stderr, "could not press %d\n", id);
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
