// The command handler: everything the player does reaches the game here (GameSession).

#include "data/arithmetic.h"
#include "shell/game_session.h"
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

}  // namespace

void GameSession::MainDialogCallback(const WindowEvent& event) {
  switch (event.kind) {
    case WindowEvent::Kind::kInitialise:
      break;
    case WindowEvent::Kind::kActivation:
      HandleActivation(event.active);
      break;
    case WindowEvent::Kind::kCommand:
      HandleCommand(event.control_id, event.notification_code);
      break;
    case WindowEvent::Kind::kSystemClose:
      EndWindow(kSystemCloseResult);
      break;
  }
}

void GameSession::HandleActivation(bool active) {
  if (!active) {
    dialog_.SavedFocus = platform_->FocusedControl();
  } else if (dialog_.SavedFocus != 0) {
    platform_->SetFocus(dialog_.SavedFocus);
    dialog_.SavedFocus = 0;
  }
}

void GameSession::HandleCommand(int id, int notification_code) {
  if (notification_code != kClicked && notification_code != kAlsoActedOn) return;
  using namespace control_id;
  if (id >= kFirstChoiceButton && id <= kLastChoiceButton) {
    city_->SelectedChoice = static_cast<std::uint8_t>(id - kFirstChoiceButton + 1);
    const ShownFigures before = FiguresShown(*city_);
    WindowDisplay display(dialog_, *platform_);
    PlayTurn(*city_, random_, display);
    platform_->Announce(TurnNews(before, *city_));
    return;
  }
  switch (id) {
    case kUpdateTaxRates:
      UpdateTaxRates();
      break;
    case kSave:
    case kLoad:
    case kNew:
      if (platform_->OpenMessageBoxes() < kMostOpenMessageBoxes) {
        platform_->ShowMessageBox(kNotEnabledText, kNotEnabledCaption);
      }
      break;
    case kExit:
      EndWindow(kExitResult);
      break;
    default:
      break;  // frames, labels, text boxes, and the Enter and Escape keys' identifiers 1 and 2
  }
}

void GameSession::UpdateTaxRates() {
  using namespace control_id;
  const auto rate_from_box = [this](int id) {
    return static_cast<double>(Extended{TextToNumber(ReadControlText(*platform_, id))} / 100);
  };
  city_->IncomeTaxRate = rate_from_box(kIncomeTaxBox);
  city_->SalesTaxRate = rate_from_box(kSalesTaxBox);
  city_->PropertyTaxRate = rate_from_box(kPropertyTaxBox);
}

void GameSession::EndWindow(int result) {
  platform_->EndWindow(result);
  dialog_.Ended = true;
}

}  // namespace townwright
