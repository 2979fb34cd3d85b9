#include "random_play.h"

#include <array>
#include <cstdlib>
#include <string_view>

#include "data/city_state.h"
#include "view/control_ids.h"

namespace townwright::testing {
namespace {

constexpr std::array<std::string_view, 24> kAwkwardTexts = {
    "",       "abc",      "15%",    "1,000", "  7",   "\t\n-3",
    "2E1",    "1E308",    "-1E308", "1E309", "1D400", "-9e99999999999999999999",
    "1E-320", "1e-99999", ".",      "-",     "+.5e",  "&HFFFFFFFFFFFFFFFFFFFFFFFFF",
    "&B101",  "&o777",    "&",      "&Q-1",  "0x10",  "99999999999999999999999999",
};

}  // namespace

std::string RandomPlayer::TaxText() {
  switch (temper_ == Temper::kReckless ? Uniform(0, 3) : 3) {
    case 0: {
      std::string text(static_cast<std::size_t>(Uniform(0, 24)), '\0');
      for (char& c : text) c = static_cast<char>(Uniform(0, 255));
      return text;
    }
    case 1:
      return std::string(kAwkwardTexts[static_cast<std::size_t>(Uniform(0, 23))]);
    default: {
      // Ordinary rates, some negative or above 100, with up to three decimals.
      const int thousandths = Uniform(-50'000, 150'000);
      std::string text = std::to_string(thousandths / 1000);
      if (thousandths < 0 && thousandths > -1000) text = "-0";
      text += '.';
      text += std::to_string(1000 + std::abs(thousandths % 1000)).substr(1);
      return text;
    }
  }
}

RandomPlayer::Action RandomPlayer::NextAction() {
  using namespace control_id;
  Action action;
  const int roll = Uniform(0, 99);
  if (roll < 94) {
    action.button = Uniform(1, kChoiceButtons);
  } else if (roll < 97) {
    action.kind = Action::Kind::kSetTaxes;
    for (std::string& text : action.tax_texts) text = TaxText();
  } else {
    action.kind = Action::Kind::kEvent;
    constexpr std::array<int, 5> kButtons = {kUpdateTaxRates, kUpdateTaxRates, kSave, kLoad, kNew};
    WindowEvent& event = action.event;
    event.kind = WindowEvent::Kind::kCommand;
    switch (roll) {
      case 97:
        event.control_id = kButtons[static_cast<std::size_t>(Uniform(0, 4))];
        break;
      case 98:
        event.kind = WindowEvent::Kind::kActivation;
        event.active = Uniform(0, 1) == 1;
        break;
      default:
        // Any control, the Enter and Escape identifiers, and notifications that are no click.
        event.control_id = Uniform(0, 1) == 0 ? Uniform(0, 2) : Uniform(1000, 1060);
        event.notification_code = Uniform(0, 1) == 0 ? Uniform(0, 1) : Uniform(2, 0xFFFF);
        if (event.control_id == kExit) event.control_id = kSave;  // the game would end
        break;
    }
  }
  return action;
}

}  // namespace townwright::testing
