#pragma once

// Which messages of the main dialog mean something to the game, and what.

#include <cstdint>
#include <optional>

#include "shell/platform.h"

namespace townwright::win32 {

// The event for a dialog message, or nothing for every message the game leaves to the system:
// WM_INITDIALOG, WM_NCACTIVATE (w_param 0 is the deactivation), WM_COMMAND (the low word of
// w_param the control identifier, the high word the notification code) and WM_SYSCOMMAND with
// SC_CLOSE (Alt+F4, or the window manager's close).
std::optional<WindowEvent> TranslateDialogMessage(unsigned int message, std::uintptr_t w_param);

}  // namespace townwright::win32
