#include "platform/headless/headless_game.h"

#include "view/control_ids.h"

namespace townwright {

bool HeadlessGame::Send(const WindowEvent& event) {
  const auto day_before = city().Day;
  session_.Handle(event);
  const bool played = city().Day != day_before;
  if (played) ++turns_played_;
  return played;
}

bool HeadlessGame::Click(int id, int notification_code) {
  return Send({.kind = WindowEvent::Kind::kCommand,
               .control_id = id,
               .notification_code = notification_code});
}

bool HeadlessGame::Press(int k) { return Click(control_id::ChoiceButton(k)); }

void HeadlessGame::SetTaxes(std::string_view income, std::string_view sales,
                            std::string_view property) {
  platform_.Type(control_id::kIncomeTaxBox, income);
  platform_.Type(control_id::kSalesTaxBox, sales);
  platform_.Type(control_id::kPropertyTaxBox, property);
  Click(control_id::kUpdateTaxRates);
}

std::optional<std::string> HeadlessGame::Text(int id) const {
  const HeadlessPlatform::Control* control = platform_.FindControl(id);
  if (control == nullptr) return std::nullopt;
  return control->text;
}

}  // namespace townwright
