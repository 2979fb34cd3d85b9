#pragma once

// What a screen reader hears of a window, the way NVDA hears it: WinEvents through an
// out-of-context hook, the focused object asked for at each focus change, and that object's new
// name or description spoken when it changes while it has the focus. Nothing else is spoken, as
// nothing else of the game's window is: its other controls change without a word.

#include <oleacc.h>
#include <windows.h>

#include <string>
#include <vector>

namespace townwright::win32::automation {

class ScreenReaderEars {
 public:
  // Listens to the windows of process `process_id` (0: every process). The hook's events come to
  // this thread, which must take messages for them to be heard, and which the ears put in a
  // single-threaded COM apartment while they listen.
  explicit ScreenReaderEars(DWORD process_id = 0);
  ~ScreenReaderEars();
  ScreenReaderEars(const ScreenReaderEars&) = delete;
  ScreenReaderEars& operator=(const ScreenReaderEars&) = delete;

  // What was spoken so far, oldest first: "name: TEXT" or "description: TEXT".
  const std::vector<std::string>& heard() const { return heard_; }
  // The descriptions alone, without their prefix.
  std::vector<std::string> descriptions() const;

 private:
  static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                               LONG child, DWORD thread, DWORD time);
  void Hear(DWORD event, HWND window, LONG object, LONG child);

  const bool com_apartment_;  // this thread joined COM's apartment here, to leave it at the end
  HWINEVENTHOOK hook_ = nullptr;
  HWND focus_window_ = nullptr;  // the window of the focused object
  std::vector<std::string> heard_;
};

}  // namespace townwright::win32::automation
