#include "shell/command_handler.h"

#include "data/arithmetic.h"
#include "shell/main_window.h"
#include "shell/message_boxes.h"
#include "shell/turn.h"
#include "shell/turn_news.h"
#include "view/control_ids.h"
#include "view/text_to_number.h"

namespace townwright {
namespace {

constexpr int kClicked = 0;
constexpr int kAlsoActedOn = 1;
constexpr int kExitResult = 1;
constexpr int kSystemCloseResult = 0;
constexpr std::string_view kNotEnabledText = "That button is not enabled";
constexpr std::string_view kNotEnabledCaption = "KRT";  // the game's own caption of its one box

void HandleActivation(MainDialog& window, Platform& platform, bool active) {
  if (!active) {
    window.SavedFocus = platform.FocusedControl();
  } else if (window.SavedFocus != 0) {
    platform.SetFocus(window.SavedFocus);
    window.SavedFocus = 0;
  }
}

void EndWindow(MainDialog& window, Platform& platform, int result) {
  platform.EndWindow(result);
  window.Ended = true;
}

void HandleCommand(CityState& city, MainDialog& window, RandomSource& random, Platform& platform,
                   int id, int code) {
  if (code != kClicked && code != kAlsoActedOn) return;
  using namespace control_id;
  if (id >= kFirstChoiceButton && id <= kLastChoiceButton) {
    city.SelectedChoice = static_cast<std::uint8_t>(id - kFirstChoiceButton + 1);
    const ShownFigures before = FiguresShown(city);
    WindowDisplay display(window, platform);
    PlayTurn(city, random, display);
    platform.Announce(TurnNews(before, city));
    return;
  }
  switch (id) {
    case kUpdateTaxRates:
      UpdateTaxRates(city, platform);
      break;
    case kSave:
    case kLoad:
    case kNew:
      if (platform.OpenMessageBoxes() < kMostOpenMessageBoxes) {
        platform.ShowMessageBox(kNotEnabledText, kNotEnabledCaption);
      }
      break;
    case kExit:
      EndWindow(window, platform, kExitResult);
      break;
    default:
      break;  // frames, labels, text boxes, and the Enter and Escape keys' identifiers 1 and 2
  }
}

}  // namespace

void UpdateTaxRates(CityState& city, Platform& platform) {
  using namespace control_id;
  const auto rate_from_box = [&platform](int id) {
    return static_cast<double>(Extended{TextToNumber(ReadControlText(platform, id))} / 100);
  };
  city.IncomeTaxRate = rate_from_box(kIncomeTaxBox);
  city.SalesTaxRate = rate_from_box(kSalesTaxBox);
  city.PropertyTaxRate = rate_from_box(kPropertyTaxBox);
}

void MainDialogCallback(CityState& city, MainDialog& window, RandomSource& random,
                        Platform& platform, const WindowEvent& event) {
  switch (event.kind) {
    case WindowEvent::Kind::kInitialise:
      break;
    case WindowEvent::Kind::kActivation:
      HandleActivation(window, platform, event.active);
      break;
    case WindowEvent::Kind::kCommand:
      HandleCommand(city, window, random, platform, event.control_id, event.notification_code);
      break;
    case WindowEvent::Kind::kSystemClose:
      EndWindow(window, platform, kSystemCloseResult);
      break;
  }
}

}  // namespace townwright
