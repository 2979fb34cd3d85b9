#pragma once

// The "not enabled" boxes that "Save", "Load" and "New" open: ownerless and not modal, so the game
// goes on while they wait, and any number of presses could open any number of them.

namespace townwright {

// Beyond this many boxes open at once a press opens no further box. The shell keeps to it for every
// window, asking the platform how many are open: on Windows each open box nests a message loop on
// the game's stack (the program broke down at some 830), elsewhere each box costs memory that
// nothing else would bound.
inline constexpr int kMostOpenMessageBoxes = 16;

}  // namespace townwright
