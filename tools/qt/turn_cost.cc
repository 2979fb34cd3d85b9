// Measures what a turn costs beyond its nine 100 ms pauses: the engine's work, the widgets'
// updates and the painting, on whatever display Qt is given (the measuring script runs it under
// Xvfb). The pauses are counted but not slept. The baseline, measured in the same run, is the same
// turns on the in-memory window, which is the engine's work alone.
//
// Prints one line per measurement: name, turns, median and mean milliseconds per turn.

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <numeric>
#include <vector>

#include "data/random_source.h"
#include "platform/headless/headless_game.h"
#include "platform/qt/qt_platform.h"
#include "shell/game_session.h"
#include "view/control_ids.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kTurns = 200;
constexpr std::uint64_t kSeed = 1234;

void Report(const char* name, std::vector<double> milliseconds) {
  std::sort(milliseconds.begin(), milliseconds.end());
  const double mean = std::accumulate(milliseconds.begin(), milliseconds.end(), 0.0) /
                      static_cast<double>(milliseconds.size());
  std::printf("%s turns=%zu median_ms=%.3f mean_ms=%.3f\n", name, milliseconds.size(),
              milliseconds[milliseconds.size() / 2], mean);
}

// The button a player would press this turn: the choices in turn, so that projects get built.
int ChoiceFor(int turn) { return townwright::control_id::kFirstChoiceButton + turn % 9; }

std::vector<double> HeadlessTurns() {
  const auto game = std::make_unique<townwright::HeadlessGame>(kSeed);
  std::vector<double> times;
  for (int turn = 0; turn < kTurns; ++turn) {
    const auto start = Clock::now();
    game->Click(ChoiceFor(turn));
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return times;
}

std::vector<double> QtTurns() {
  using namespace townwright;
  qt::QtPlatform platform([](int) {});
  GameSession session(platform);
  session.Start(kSeed);
  std::vector<double> times;
  QTimer::singleShot(200, [&] {
    for (int turn = 0; turn < kTurns; ++turn) {
      auto* button = qobject_cast<QPushButton*>(platform.Control(ChoiceFor(turn)));
      const auto start = Clock::now();
      button->click();
      // What the turn left to paint after its last pause is painted here, as part of the turn.
      QCoreApplication::processEvents();
      times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    platform.EndWindow(0);
  });
  session.Run();
  return times;
}

}  // namespace

int main(int argc, char** argv) {
  char* qt_argv[] = {argv[0], nullptr};
  int qt_argc = argc > 0 ? 1 : 0;
  QApplication application(qt_argc, qt_argv);
  QApplication::setQuitOnLastWindowClosed(false);
  Report("headless", HeadlessTurns());
  Report("qt", QtTurns());
  std::printf("platform=%s\n", qPrintable(QGuiApplication::platformName()));
  return 0;
}
