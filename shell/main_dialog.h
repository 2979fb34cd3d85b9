#pragma once

// What the game keeps of the window it is played in: the dialog. It lives beside the game's
// CityState, not in it: the record holds the game alone, and the window's handles mean nothing to
// the rules.

#include "shell/platform.h"

namespace townwright {

struct MainDialog {
  WindowHandle MainDialogHandle = 0;  // 0 while there is no window
  FontHandle YearFont = 0;
  WindowHandle SavedFocus = 0;  // the control that had the focus when the window went inactive
  bool Ended = false;           // the game has ended the window ("Exit", or the system's close)
};

}  // namespace townwright
