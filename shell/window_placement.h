#pragma once

// Where the main window goes on the player's screen. Its designed place, near the screen's
// top-left corner, suits the screens the game was made for; on a scaled or small screen the same
// place can put the bottom row of buttons, "Exit" among them, out of reach.

namespace townwright {

// A rectangle on the screen, in the window system's pixels.
struct ScreenRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// The window's outer rectangle (its frame included), `window` at its designed place, placed within
// `available`, the screen's area without panels. It stays where it is when it fits there;
// otherwise it moves as little as needed to fit (up and left from the designed place). A window
// larger than the area in either direction goes to the area's top-left corner, so that its caption
// stays within reach. An empty area (nothing known about the screen) leaves the window where it is.
ScreenRect PlaceWindow(ScreenRect window, ScreenRect available);

}  // namespace townwright
