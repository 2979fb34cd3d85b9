#pragma once

// Driving a Windows program from outside, as an automation tool does: start it, find its window by
// caption, press buttons and read texts through window messages, and wait for its exit status.

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace townwright::win32::automation {

inline constexpr std::chrono::milliseconds kPatience = std::chrono::seconds(60);

class Process {
 public:
  // Starts `program` with `arguments` after its name on the command line. Empty when it cannot.
  static std::optional<Process> Start(const std::string& program,
                                      const std::string& arguments = "");

  Process(Process&& other) noexcept;
  Process& operator=(Process&&) = delete;
  Process(const Process&) = delete;
  ~Process();  // ends the program if it is still running

  // The program's visible top-level window with this caption, once it appears; nullptr when it
  // has not appeared within `patience`.
  HWND WaitForWindow(std::string_view caption,
                     std::chrono::milliseconds patience = kPatience) const;

  // The exit status once the program has ended; empty when it has not within `patience`.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds patience = kPatience) const;

  HANDLE handle() const { return info_.hProcess; }

 private:
  explicit Process(const PROCESS_INFORMATION& info) : info_(info) {}

  PROCESS_INFORMATION info_ = {};
};

// A visible top-level window with this caption belonging to process `process_id` (any process when
// 0), or nullptr. With `desktop`, on that desktop instead of this program's.
HWND FindVisibleWindow(std::string_view caption, DWORD process_id = 0, HDESK desktop = nullptr);

// Presses button `id` of `window` (BM_CLICK) and waits until the program has handled the press.
bool Click(HWND window, int id, std::chrono::milliseconds patience = kPatience);

// The text of control `id` of `window`, read through WM_GETTEXT; empty when it has none.
std::string Text(HWND window, int id);

// Puts `text` into control `id` of `window` through WM_SETTEXT, as typing would.
bool SetText(HWND window, int id, const std::string& text);

// The path of `file_name` in the directory of the running program.
std::string ProgramBeside(const std::string& file_name);

}  // namespace townwright::win32::automation
