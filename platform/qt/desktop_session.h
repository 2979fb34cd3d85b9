#pragma once

// What the game needs from the desktop session before its window can open, and what it does when
// the session cannot give it: a display to open the window on, and a session bus that answers.

namespace townwright::qt {

// Checks that the session bus answers, before the toolkit first uses it. A bus that accepts the
// connection and never answers would hold the toolkit's accessibility set-up, and with it the
// window, forever; such a bus is left out for this run (screen readers then cannot read the
// window), with one line on stderr. A missing or refusing bus is left to the toolkit, which
// copes with it at once.
void LeaveOutASilentSessionBus();

// Holds what the toolkit says while it opens the display. Should it fail to open one, which the
// toolkit treats as fatal and aborts on, the program instead prints one line saying there is no
// display to open the window on and exits with status 1. Otherwise what was said goes out as usual
// when this is destroyed. Construct it just before the QApplication, destroy it just after.
class DisplayOpening {
 public:
  DisplayOpening();
  ~DisplayOpening();
  DisplayOpening(const DisplayOpening&) = delete;
  DisplayOpening& operator=(const DisplayOpening&) = delete;
};

}  // namespace townwright::qt
