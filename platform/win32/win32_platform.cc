#include "platform/win32/win32_platform.h"

#include <objbase.h>
#include <oleacc.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

#include "platform/kit/window_placement.h"
#include "platform/win32/accessible_control.h"
#include "platform/win32/dialog_messages.h"
#include "platform/win32/dialog_template.h"

namespace townwright::win32 {
namespace {

constexpr DWORD kDialogStyle =
    WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_3DLOOK | DS_SETFONT | DS_NOFAILCREATE;
constexpr int kStandardPixelsPerInch = 96;

struct ControlClass {
  const char* name;
  DWORD style;
  DWORD extended_style;
  long role;  // what screen readers call the kind
};

ControlClass ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kFrame:
      return {"BUTTON", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, ROLE_SYSTEM_GROUPING};
    case ControlKind::kLabel:
      return {"STATIC", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, ROLE_SYSTEM_STATICTEXT};
    case ControlKind::kButton:
      return {"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
              ROLE_SYSTEM_PUSHBUTTON};
    case ControlKind::kTextBox:
      // Editable, not read-only: the player may type in any box.
      return {"EDIT", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
              WS_EX_CLIENTEDGE, ROLE_SYSTEM_TEXT};
  }
  return {"STATIC", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, ROLE_SYSTEM_STATICTEXT};
}

// The system's dialog class, which the message boxes have too.
constexpr char kDialogClass[] = "#32770";

HWND AsWindow(WindowHandle handle) { return reinterpret_cast<HWND>(handle); }
WindowHandle AsHandle(HWND window) { return reinterpret_cast<WindowHandle>(window); }

PixelRect ToPixelRect(const RECT& rect) {
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// Moves the window, frame and caption included, within the work area of its monitor (the screen
// without the taskbar), should its own place leave part of it off the screen.
void FitOnScreen(HWND window) {
  RECT frame = {};
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof(monitor);
  if (!GetWindowRect(window, &frame) ||
      !GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
    return;
  }
  const PixelRect own_place = ToPixelRect(frame);
  const PixelRect placed = PlaceWindow(own_place, ToPixelRect(monitor.rcWork));
  if (placed == own_place) return;
  SetWindowPos(window, nullptr, placed.x, placed.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Ends the "not enabled" boxes of this thread. Each waits in a message loop of its own, nested in
// the game's; ended, they return one after the other and the game's loop sees its window gone.
BOOL CALLBACK EndMessageBox(HWND window, LPARAM dialog) {
  char class_name[16] = {};
  GetClassNameA(window, class_name, sizeof(class_name));
  if (window != reinterpret_cast<HWND>(dialog) && std::string_view(class_name) == kDialogClass) {
    PostMessageA(window, WM_COMMAND, IDOK, 0);
  }
  return TRUE;
}

}  // namespace

struct Win32Platform::Procedure {
  static INT_PTR CALLBACK Dialog(HWND window, UINT message, WPARAM w_param, LPARAM l_param) {
    // The platform arrives with the first WM_INITDIALOG, sent while the dialog is being made. Only
    // that one is taken: another, sent by anyone, must not replace it.
    if (message == WM_INITDIALOG && GetWindowLongPtrA(window, DWLP_USER) == 0) {
      SetWindowLongPtrA(window, DWLP_USER, l_param);
    }
    auto* platform = reinterpret_cast<Win32Platform*>(GetWindowLongPtrA(window, DWLP_USER));
    if (platform != nullptr) {
      if (const auto event = TranslateDialogMessage(message, w_param)) platform->Deliver(*event);
    }
    // Not handled: the system's default processing follows every message, handled ones too.
    return FALSE;
  }
};

Win32Platform::Win32Platform(PauseFunction pause)
    : pause_(std::move(pause)),
      // Screen readers in other programs reach the controls' objects through COM, which serves
      // them on this thread from its message loop.
      com_apartment_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

Win32Platform::~Win32Platform() {
  // The controls let go of their objects before COM goes.
  ReleaseWindowAndFonts();
  if (com_apartment_) CoUninitialize();
}

WindowHandle Win32Platform::CreateMainWindow(std::string_view caption, DialogRect client_area,
                                             std::string_view font_face, int font_points) {
  if (dialog_ != 0) return 0;  // one main window per platform
  const DialogTemplate dialog_template(kDialogStyle, client_area, font_points, font_face);
  const HWND dialog = CreateDialogIndirectParamA(
      GetModuleHandleA(nullptr), static_cast<LPCDLGTEMPLATEA>(dialog_template.data()),
      /*hWndParent=*/nullptr, &Procedure::Dialog, reinterpret_cast<LPARAM>(this));
  if (dialog == nullptr) return 0;
  SetWindowTextA(dialog, std::string(caption).c_str());
  FitOnScreen(dialog);
  dialog_ = AsHandle(dialog);
  dialog_font_ = static_cast<FontHandle>(SendMessageA(dialog, WM_GETFONT, 0, 0));
  ended_ = false;
  result_ = 0;
  return dialog_;
}

WindowHandle Win32Platform::CreateControl(int id, ControlKind kind, DialogRect place,
                                          std::string_view text, std::string_view accessible_name) {
  if (dialog_ == 0) return 0;
  RECT rect = {place.x, place.y, place.x + place.width, place.y + place.height};
  MapDialogRect(AsWindow(dialog_), &rect);
  const ControlClass control_class = ClassOf(kind);
  const HWND control = CreateWindowExA(
      control_class.extended_style, control_class.name, std::string(text).c_str(),
      control_class.style, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
      AsWindow(dialog_), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      GetModuleHandleA(nullptr), nullptr);
  if (control == nullptr) return 0;
  // Not drawn yet, so no redraw is needed.
  SendMessageA(control, WM_SETFONT, static_cast<WPARAM>(dialog_font_), FALSE);
  MakeAccessible(control, control_class.role, accessible_name);
  return AsHandle(control);
}

bool Win32Platform::SetControlText(int id, std::string_view text,
                                   std::string_view accessible_name) {
  if (dialog_ == 0) return false;
  const HWND control = GetDlgItem(AsWindow(dialog_), id);
  if (control == nullptr) return false;
  SetWindowTextA(control, std::string(text).c_str());
  SetScreenReaderName(control, accessible_name);
  return true;
}

std::optional<std::string> Win32Platform::ControlText(int id) {
  if (dialog_ == 0) return std::nullopt;
  const HWND control = GetDlgItem(AsWindow(dialog_), id);
  if (control == nullptr) return std::nullopt;
  const int length = GetWindowTextLengthA(control);
  std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
  const int copied = GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(std::clamp(copied, 0, length)));
  return text;
}

int Win32Platform::LogicalPixelsPerInch() {
  const HDC screen = GetDC(nullptr);
  if (screen == nullptr) return kStandardPixelsPerInch;  // a screen that cannot be asked
  const int pixels_per_inch = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return pixels_per_inch;
}

FontHandle Win32Platform::CreateLogicalFont(const FontRequest& request) {
  LOGFONTA font = {};                         // every field the request does not name is 0 or off
  font.lfHeight = -request.character_height;  // negative: the characters' height, not the cell's
  font.lfWeight = request.weight;
  const std::size_t face_length = std::min(request.face.size(), sizeof(font.lfFaceName) - 1);
  std::copy_n(request.face.data(), face_length, font.lfFaceName);
  const HFONT handle = CreateFontIndirectA(&font);
  if (handle == nullptr) return 0;
  fonts_.push_back(reinterpret_cast<FontHandle>(handle));
  return fonts_.back();
}

void Win32Platform::SetControlFont(int id, FontHandle font) {
  if (dialog_ == 0) return;
  if (const HWND control = GetDlgItem(AsWindow(dialog_), id)) {
    SendMessageA(control, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
  }
}

void Win32Platform::ShowMessageBox(std::string_view text, std::string_view caption) {
  ++open_message_boxes_;
  // No owner: the main window stays usable while the box waits.
  MessageBoxA(nullptr, std::string(text).c_str(), std::string(caption).c_str(), MB_OK);
  --open_message_boxes_;
}

void Win32Platform::Pause(int milliseconds) {
  if (pause_) {
    pause_(milliseconds);
  } else {
    Sleep(static_cast<DWORD>(std::max(milliseconds, 0)));
  }
}

WindowHandle Win32Platform::FocusedControl() { return AsHandle(GetFocus()); }

void Win32Platform::SetFocus(WindowHandle control) { ::SetFocus(AsWindow(control)); }

void Win32Platform::Announce(std::string_view news) {
  // Only a control of the window, which the player's screen reader follows while it has the focus.
  const HWND focused = GetFocus();
  if (dialog_ != 0 && focused != nullptr && GetParent(focused) == AsWindow(dialog_)) {
    SetScreenReaderDescription(focused, news);
  }
}

int Win32Platform::RunUntilEnded(const WindowEventHandler& handler) {
  const HWND dialog = AsWindow(dialog_);
  if (dialog == nullptr || !IsWindow(dialog)) {
    ReleaseWindowAndFonts();
    return result_;
  }
  handler_ = &handler;
  handler({.kind = WindowEvent::Kind::kInitialise});
  if (!ended_) ShowWindow(dialog, SW_SHOWNORMAL);
  MSG message;
  while (!ended_ && IsWindow(dialog)) {
    const bool posted = PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);
    // PeekMessageA also handles what other threads and programs send, which may end the window.
    if (ended_ || !IsWindow(dialog)) break;
    if (!posted) {
      // Nothing to do: sleep until something arrives rather than spin.
      WaitMessage();
      continue;
    }
    if (message.message == WM_QUIT) {
      // Someone asked the program to stop; the game has nothing to save, so the window ends.
      EndWindow(0);
      break;
    }
    if (!IsDialogMessageA(dialog, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  handler_ = nullptr;
  ReleaseWindowAndFonts();
  return result_;
}

void Win32Platform::EndWindow(int result) {
  if (dialog_ == 0 || ended_) return;
  ended_ = true;
  result_ = result;
  // Destroyed at once, also when this comes from inside the dialog's own message: the loop sees
  // the window gone and returns. Later events (the deactivation on the way out) are not delivered.
  DestroyWindow(AsWindow(dialog_));
  // Open boxes hold the game's loop in theirs: without this the process would live on, with its
  // window gone, until the player pressed OK on every box.
  if (open_message_boxes_ > 0) {
    EnumThreadWindows(GetCurrentThreadId(), &EndMessageBox, static_cast<LPARAM>(dialog_));
  }
  // Wakes the loop should it be waiting: a message sent from elsewhere is handled inside the wait.
  PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
}

void Win32Platform::Deliver(const WindowEvent& event) {
  if (handler_ != nullptr && !ended_) (*handler_)(event);
}

void Win32Platform::ReleaseWindowAndFonts() {
  if (dialog_ != 0 && IsWindow(AsWindow(dialog_))) DestroyWindow(AsWindow(dialog_));
  dialog_ = 0;
  dialog_font_ = 0;
  // The window that used the fonts is gone, so they can go too.
  for (const FontHandle font : fonts_) DeleteObject(reinterpret_cast<HFONT>(font));
  fonts_.clear();
}

}  // namespace townwright::win32
