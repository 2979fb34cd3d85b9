#pragma once

// A player's hands on one backend's window, for the suite that proves the contract of
// shell/platform.h over every backend that runs here (platform/contract/platform_test.cc), and for
// each backend's own tests. A harness owns the platform under test, made with pauses that are
// counted instead of slept; each backend's test program has one (platform/*/tests/*_harness.*).

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/city_state.h"
#include "data/random_source.h"
#include "shell/game_session.h"
#include "shell/main_dialog.h"
#include "shell/platform.h"

namespace townwright::testing {

// A message box as the player sees it.
struct ShownBox {
  std::string caption;
  std::string text;
  friend bool operator==(const ShownBox&, const ShownBox&) = default;
};

enum class Key { kEnter, kEscape, kSpace, kTab };

class PlatformHarness {
 public:
  virtual ~PlatformHarness() = default;

  virtual Platform& platform() = 0;

  // Runs platform().RunUntilEnded(handler) on the game's thread, and `player` once the window is
  // shown and active (on a thread of its own where the toolkit's automation works that way).
  // Returns RunUntilEnded's result, or kWindowStillOpen where the player left the window open and
  // the harness ended it.
  virtual int Run(const WindowEventHandler& handler, const std::function<void()>& player) = 0;

  // The player's hands, for `player`. Each returns once the window has handled what it did.
  virtual void Click(int id) = 0;
  // A click that returns at once, also from the game's thread while it is busy (the pause hook):
  // the window handles it in its turn, after what came before.
  virtual void ClickLater(int id) = 0;
  virtual void Type(int id, std::string_view text) = 0;  // over what the box shows
  virtual void Focus(int id) = 0;
  virtual void SwitchAway() = 0;  // another window takes the activation and the focus
  virtual void ComeBack() = 0;    // the game's window is activated again
  virtual void CloseNewestMessageBox() = 0;
  virtual void SystemClose() = 0;   // the window manager's close, as Alt+F4 asks for it
  virtual void Press(Key key) = 0;  // on the control with the focus, where there is a keyboard
  // Waits until everything the player did so far has been handled.
  virtual void Settle() = 0;

  // What the player sees, also before and after Run.
  virtual std::string Caption() = 0;
  virtual std::optional<std::string> Text(int id) = 0;  // nothing when there is no such control
  virtual std::vector<int> Controls() = 0;              // identifiers, in creation order
  virtual int FocusedControl() = 0;                     // its identifier; 0 for none
  virtual std::vector<ShownBox> MessageBoxes() = 0;     // the open ones, oldest first
  // What a screen reader was told of the player's presses so far (Platform::Announce), oldest
  // first, as it hears it from the window.
  virtual std::vector<std::string> Told() = 0;

  // Runs `work` on the game's thread, between two events.
  virtual void OnGameThread(const std::function<void()>& work) = 0;

  // The pauses the platform held so far, and how long they were.
  int pauses() const { return pauses_; }
  long long paused_milliseconds() const { return paused_milliseconds_; }
  // Runs on the game's thread at each pause. Set it while the game does not run.
  void set_on_pause(std::function<void()> hook) { on_pause_ = std::move(hook); }

 protected:
  // Each harness makes its platform with a pause that calls this.
  void Paused(int milliseconds) {
    ++pauses_;
    paused_milliseconds_ += milliseconds;
    if (on_pause_) on_pause_();
  }

 private:
  std::atomic<int> pauses_ = 0;
  std::atomic<long long> paused_milliseconds_ = 0;
  std::function<void()> on_pause_;
};

// The backend whose harness the contract suite takes in this test program: each backend's test
// program defines it once.
struct HarnessMaker {
  const char* backend;
  bool keyboard;  // whether Press works: the headless window has no keyboard
  std::unique_ptr<PlatformHarness> (*make)();
  friend void PrintTo(const HarnessMaker& maker, std::ostream* out) { *out << maker.backend; }
};
extern const HarnessMaker kHarnessUnderTest;

// A game on a harness's platform, played through the session a program's run plays it through.
class PlayedGame {
 public:
  static constexpr std::uint64_t kSeed = 20080101;

  explicit PlayedGame(PlatformHarness& harness) : harness_(harness) {}

  // Everything before the window is shown: the first choices, the window.
  void Start(std::uint64_t seed = kSeed) { session_.Start(seed); }

  // Plays the window while `player` acts on it; returns what PlatformHarness::Run returns.
  int Play(const std::function<void()>& player) {
    return harness_.Run(
        [this](const WindowEvent& event) {
          events_.push_back(event);
          session_.Handle(event);
        },
        player);
  }

  // `work`'s result, computed on the game's thread: the record is the game's alone.
  template <typename Work>
  auto Read(Work work) {
    decltype(work()) value{};
    harness_.OnGameThread([&] { value = work(); });
    return value;
  }

  CityState& city() { return session_.city(); }
  MainDialog& dialog() { return session_.dialog(); }
  GameRandom& random() { return session_.random(); }
  // Every event the handler received, in order; read on the game's thread.
  const std::vector<WindowEvent>& events() const { return events_; }

 private:
  PlatformHarness& harness_;
  GameSession session_{harness_.platform()};
  std::vector<WindowEvent> events_;
};

}  // namespace townwright::testing
