// Anything a player may type into the tax boxes. The conversion gives a finite number (never an
// infinity or NaN) that blanks in front do not change; "Update Tax Rates" stores it divided by 100;
// and the next turn shows every box, the tax boxes included, in a well-formed format.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/arithmetic.h"
#include "fuzz_check.h"
#include "game_invariants.h"
#include "shell/command_handler.h"
#include "shell/headless/headless_platform.h"
#include "shell/startup.h"
#include "view/control_ids.h"
#include "view/text_to_number.h"

namespace townwright::fuzzing {
namespace {

struct Game {
  HeadlessPlatform window;
  CityState city;
  GameRandom random;

  void Click(int id) {
    MainDialogCallback(city, random, window,
                       {.kind = WindowEvent::Kind::kCommand, .control_id = id});
  }
};

// A game after its first turn, when the tax boxes exist; each input plays on a copy of it.
const Game& GameWithTaxBoxes() {
  static const Game game = [] {
    Game started;
    StartGame(started.city, started.random, started.window, 1);
    started.Click(control_id::kFirstChoiceButton);
    return started;
  }();
  return game;
}

}  // namespace
}  // namespace townwright::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace townwright;
  using fuzzing::Require;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const double value = TextToNumber(text);
  Require(std::isfinite(value), "the conversion gave " + std::to_string(value));
  const double after_blanks = TextToNumber(" \t\n" + std::string(text));
  Require(after_blanks == value, "leading blanks changed the value");

  fuzzing::Game game = fuzzing::GameWithTaxBoxes();
  for (const int box :
       {control_id::kIncomeTaxBox, control_id::kSalesTaxBox, control_id::kPropertyTaxBox}) {
    Require(game.window.Type(box, text), "a tax box is missing");
  }
  game.Click(control_id::kUpdateTaxRates);
  const double rate = static_cast<double>(Extended{value} / 100);
  Require(game.city.IncomeTaxRate == rate && game.city.SalesTaxRate == rate &&
              game.city.PropertyTaxRate == rate,
          "the rates are not the typed value divided by 100");

  game.Click(control_id::kFirstChoiceButton);
  const std::string broken =
      testing::FindBrokenRule(game.city, game.window, testing::Moment::kJustAfterTurn);
  Require(broken.empty(), broken);
  return 0;
}
