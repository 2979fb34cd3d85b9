#pragma once

// A test fixture around one HeadlessGame, with its verbs at hand.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/headless/headless_game.h"
#include "view/control_ids.h"

namespace townwright::testing {

class HeadlessGameTest : public ::testing::Test {
 protected:
  void Start(std::uint64_t seed = 1) { game.Start(seed); }

  void Send(const WindowEvent& event) { game.Send(event); }
  void Click(int id, int notification_code = 0) { game.Click(id, notification_code); }
  // Presses choice button k (1..9): one turn.
  void Press(int k) { game.Press(k); }
  void PressTimes(int k, int turns) {
    for (int i = 0; i < turns; ++i) Press(k);
  }
  void Activate(bool active) { Send({.kind = WindowEvent::Kind::kActivation, .active = active}); }

  std::string Text(int id) const { return game.Text(id).value_or("<missing>"); }
  bool Exists(int id) const { return game.Text(id).has_value(); }

  HeadlessGame game;
  CityState& city = game.city();
  HeadlessPlatform& platform = game.platform();
};

}  // namespace townwright::testing
