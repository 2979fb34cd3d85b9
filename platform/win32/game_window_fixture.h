#pragma once

// A real game in a real Windows dialog for tests. The window runs on the test's thread, as the
// program runs it; a player thread acts on it only through window messages, the way an automation
// tool would, and reads the game's record only on the window's thread, between two messages.

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/city_state.h"
#include "data/random_source.h"
#include "platform/win32/win32_platform.h"
#include "shell/main_window.h"

namespace townwright::win32::testing {

class GameWindowFixture : public ::testing::Test {
 protected:
  static constexpr std::uint64_t kSeed = 20080101;
  static constexpr auto kPatience = std::chrono::seconds(30);

  GameWindowFixture();
  ~GameWindowFixture() override;

  // Starts a game from kSeed; its window exists, not shown yet.
  void SetUp() override;

  // Runs the window on this thread while `player` acts on it from a thread of its own, starting
  // once the window is shown and active. The player should end the window; if it leaves the
  // window open, the test fails and the window is ended for it. Returns RunUntilEnded's result.
  int Play(const std::function<void()>& player);

  // For the player.
  HWND Control(int id) const { return GetDlgItem(dialog_, id); }
  void Click(int id) const;                   // BM_CLICK, as a mouse click
  void Command(int id, int code) const;       // WM_COMMAND from the control
  void Type(int id, const char* text) const;  // WM_SETTEXT
  std::string Text(int id) const;             // WM_GETTEXT
  void FocusOn(int id) const;                 // WM_NEXTDLGCTL, as the Tab key does
  void PostKey(int id, WPARAM key) const;     // a key pressed and released with `id` in focus
  HWND FocusedWindow() const;                 // the window thread's focus
  HWND ActiveWindow() const;                  // the window thread's active window
  // Waits until all that was posted to the window's thread so far has been handled.
  void Settle();
  // Polls `condition` for kPatience; true once it holds.
  static bool WaitUntil(const std::function<bool()>& condition);
  // Runs `work` on the window's thread between two messages.
  void OnWindowThread(const std::function<void()>& work) const;
  template <typename Work>
  auto Read(Work work) const {
    decltype(work()) value{};
    OnWindowThread([&] { value = work(); });
    return value;
  }

  std::unique_ptr<CityState> city_ = std::make_unique<CityState>();
  MainDialog window_;
  GameRandom random_;
  int pauses_ = 0;  // pauses the game asked for; touched on the window's thread only
  Win32Platform platform_{[this](int) { ++pauses_; }};
  HWND dialog_ = nullptr;
  std::vector<WindowEvent> events_;  // every event the handler received, in order
  int lowest_precision_bits_ = 64;   // the x87 precision seen by the handler

 private:
  static LRESULT CALLBACK ProbeProcedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param);
  void EndIfStillOpen();

  DWORD window_thread_ = GetCurrentThreadId();
  HWND probe_ = nullptr;  // a message-only window of the window's thread that runs work there
  std::atomic<long> settled_ = 0;  // posts to the probe handled so far
  long settle_posts_ = 0;
};

}  // namespace townwright::win32::testing
