#pragma once

// The Win32 window under test, a real dialog on the test's thread, as the program runs it. The
// player acts from a thread of its own and only through window messages, the way an automation
// tool would, and reads the game's record only on the window's thread, between two messages.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/contract/platform_harness.h"
#include "platform/win32/tests/screen_reader_ears.h"
#include "platform/win32/win32_platform.h"

namespace townwright::win32 {

class Win32Harness final : public testing::PlatformHarness {
 public:
  static constexpr auto kPatience = std::chrono::seconds(30);

  Win32Harness();
  ~Win32Harness() override;
  Win32Harness(const Win32Harness&) = delete;
  Win32Harness& operator=(const Win32Harness&) = delete;

  // Beyond the contract, for the Win32 tests.
  Win32Platform& win32() { return platform_; }
  HWND Dialog() const;  // 0 before the window is made and after it has ended
  HWND Control(int id) const { return GetDlgItem(Dialog(), id); }
  void Command(int id, int code);         // WM_COMMAND from the control, with `code`
  void PostKey(HWND window, WPARAM key);  // a key pressed and released, then handled
  HWND FocusedWindow() const;             // the window thread's focus
  HWND ActiveWindow() const;              // the window thread's active window
  std::vector<HWND> BoxWindows() const;   // the visible message boxes, newest first
  // Polls `condition` for kPatience; true once it holds.
  static bool WaitUntil(const std::function<bool()>& condition);

  // PlatformHarness.
  Platform& platform() override { return platform_; }
  int Run(const WindowEventHandler& handler, const std::function<void()>& player) override;
  void Click(int id) override;
  void ClickLater(int id) override;
  void Type(int id, std::string_view text) override;
  void Focus(int id) override;
  void SwitchAway() override;
  void ComeBack() override;
  void CloseNewestMessageBox() override;
  void SystemClose() override;
  void Press(testing::Key key) override;
  void Settle() override;
  std::string Caption() override;
  std::optional<std::string> Text(int id) override;
  std::vector<int> Controls() override;
  int FocusedControl() override;
  std::vector<testing::ShownBox> MessageBoxes() override;
  std::vector<std::string> Told() override;
  void OnGameThread(const std::function<void()>& work) override;

 private:
  static LRESULT CALLBACK ProbeProcedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param);

  Win32Platform platform_{[this](int milliseconds) { Paused(milliseconds); }};
  const DWORD game_thread_ = GetCurrentThreadId();
  HWND probe_ = nullptr;  // a message-only window of the game's thread that runs work there
  HWND running_dialog_ = nullptr;  // the dialog while Run runs, for the player's thread
  HWND other_window_ = nullptr;    // made by SwitchAway
  // A screen reader's, on the game's thread, which takes the messages its events come in.
  std::unique_ptr<automation::ScreenReaderEars> ears_;
  std::atomic<long> settled_ = 0;  // posts to the probe handled so far
  long settle_posts_ = 0;
};

}  // namespace townwright::win32
