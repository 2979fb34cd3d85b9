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
#include "platform/headless/headless_game.h"
#include "view/text_to_number.h"

namespace townwright::fuzzing {
namespace {

// A game after its first turn, when the tax boxes exist; each input plays on a copy of it.
const HeadlessGame& GameWithTaxBoxes() {
  static const HeadlessGame game = [] {
    HeadlessGame started(1);
    started.Press(1);
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

  HeadlessGame game = fuzzing::GameWithTaxBoxes();
  game.SetTaxes(text, text, text);
  const double rate = static_cast<double>(Extended{value} / 100);
  const CityState& city = game.city();
  Require(city.IncomeTaxRate == rate && city.SalesTaxRate == rate && city.PropertyTaxRate == rate,
          "the rates are not the typed value divided by 100");

  game.Press(1);
  const std::string broken =
      testing::FindBrokenRule(city, game.platform(), testing::Moment::kJustAfterTurn);
  Require(broken.empty(), broken);
  return 0;
}
