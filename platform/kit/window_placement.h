#pragma once

// Where the main window goes on the player's screen. Its own place, near the screen's
// top-left corner, suits the screens the game was made for; on a scaled or small screen the same
// place can put the bottom row of buttons, "Exit" among them, out of reach.

#include "shell/platform.h"

namespace townwright {

// The window's outer rectangle (its frame included), `window` at its own place, placed within
// `available`, the screen's area without panels. It stays where it is when it fits there;
// otherwise it moves as little as needed to fit (up and left from its own place). A window
// larger than the area in either direction goes to the area's top-left corner, so that its caption
// stays within reach. An empty area (nothing known about the screen) leaves the window where it is.
PixelRect PlaceWindow(PixelRect window, PixelRect available);

}  // namespace townwright
