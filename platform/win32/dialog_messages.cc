#include "platform/win32/dialog_messages.h"

#include <windows.h>

namespace townwright::win32 {

std::optional<WindowEvent> TranslateDialogMessage(unsigned int message, std::uintptr_t w_param) {
  switch (message) {
    case WM_INITDIALOG:
      return WindowEvent{.kind = WindowEvent::Kind::kInitialise};
    case WM_NCACTIVATE:
      return WindowEvent{.kind = WindowEvent::Kind::kActivation, .active = w_param != 0};
    case WM_COMMAND:
      return WindowEvent{.kind = WindowEvent::Kind::kCommand,
                         .control_id = LOWORD(w_param),
                         .notification_code = HIWORD(w_param)};
    case WM_SYSCOMMAND:
      // The four low bits of a system command are the system's own.
      if ((w_param & 0xFFF0) == SC_CLOSE)
        return WindowEvent{.kind = WindowEvent::Kind::kSystemClose};
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

}  // namespace townwright::win32
