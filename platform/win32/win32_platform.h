#pragma once

// The main window as a Windows dialog: made at run time from an in-memory template without
// controls, its controls added one by one, shown modally by a message loop of its own. Window and
// font handles are HWNDs and HFONTs held in the platform's integer handles. Each control answers
// screen readers with the name the shell gives it (platform/win32/accessible_control.h).
//
// Everything runs on the thread that created the platform, which the platform puts in a
// single-threaded COM apartment while it lives; its messages must be pumped by RunUntilEnded (or a
// message box it opened) for the window, and the controls' objects, to answer.

#include <functional>
#include <vector>

#include "shell/platform.h"

namespace townwright::win32 {

class Win32Platform final : public Platform {
 public:
  // Holds the thread for `milliseconds`. The game's pauses use Sleep; tests may pass their own.
  using PauseFunction = std::function<void(int milliseconds)>;

  explicit Win32Platform(PauseFunction pause = {});
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  // Platform.
  WindowHandle CreateMainWindow(std::string_view caption, DialogRect client_area,
                                std::string_view font_face, int font_points) override;
  WindowHandle CreateControl(int id, ControlKind kind, DialogRect place, std::string_view text,
                             std::string_view accessible_name) override;
  bool SetControlText(int id, std::string_view text, std::string_view accessible_name) override;
  std::optional<std::string> ControlText(int id) override;
  int LogicalPixelsPerInch() override;
  FontHandle CreateLogicalFont(const FontRequest& request) override;
  void SetControlFont(int id, FontHandle font) override;
  void ShowMessageBox(std::string_view text, std::string_view caption) override;
  int OpenMessageBoxes() override { return open_message_boxes_; }
  void Pause(int milliseconds) override;
  WindowHandle FocusedControl() override;
  void SetFocus(WindowHandle control) override;
  // The description of the control with the focus, through its accessible object.
  void Announce(std::string_view news) override;
  int RunUntilEnded(const WindowEventHandler& handler) override;
  void EndWindow(int result) override;
  // A run is the process, and nothing of a game outlives it.
  bool KeepsGames() override { return false; }
  void KeepGame(std::string_view /*copy*/) override {}
  std::string KeptGame() override { return {}; }

  // The dialog (an HWND), 0 before it is created and after it has been ended.
  WindowHandle main_window() const { return dialog_; }

 private:
  struct Procedure;  // the dialog procedure, which hands this platform's handler its events

  void Deliver(const WindowEvent& event);
  void ReleaseWindowAndFonts();

  PauseFunction pause_;
  // Whether this thread joined COM's single-threaded apartment, to leave it at the end.
  bool com_apartment_;
  WindowHandle dialog_ = 0;
  FontHandle dialog_font_ = 0;     // made by the dialog from its template; the dialog releases it
  std::vector<FontHandle> fonts_;  // made by CreateLogicalFont; released when the window is ended
  const WindowEventHandler* handler_ = nullptr;  // set while RunUntilEnded runs
  bool ended_ = false;
  int result_ = 0;
  // Each open message box runs its own message loop on this thread's stack, nested in the loop of
  // the box before it.
  int open_message_boxes_ = 0;
};

}  // namespace townwright::win32
