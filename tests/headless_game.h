#pragma once

// A whole game in the headless window, played with the commands a player's clicks send.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "data/city_state.h"
#include "data/random_source.h"
#include "shell/command_handler.h"
#include "shell/headless/headless_platform.h"
#include "shell/startup.h"

namespace townwright::testing {

class HeadlessGameTest : public ::testing::Test {
 protected:
  void Start(std::uint64_t seed = 1) { StartGame(city, random, window, seed); }

  void Send(const WindowEvent& event) { MainDialogCallback(city, random, window, event); }
  void Click(int id, int notification_code = 0) {
    Send({.kind = WindowEvent::Kind::kCommand,
          .control_id = id,
          .notification_code = notification_code});
  }
  // Presses choice button k (1..9): one turn.
  void Press(int k) { Click(1010 + k); }
  void PressTimes(int k, int turns) {
    for (int i = 0; i < turns; ++i) Press(k);
  }
  void Activate(bool active) { Send({.kind = WindowEvent::Kind::kActivation, .active = active}); }

  std::string Text(int id) const {
    const auto* control = window.FindControl(id);
    return control == nullptr ? "<missing>" : control->text;
  }
  bool Exists(int id) const { return window.FindControl(id) != nullptr; }

  HeadlessPlatform window;
  CityState city;
  GameRandom random;
};

}  // namespace townwright::testing
