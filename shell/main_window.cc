#include "shell/main_window.h"

#include <algorithm>

#include "data/city_state.h"
#include "view/control_ids.h"

namespace townwright {
namespace {

// Shows `text` in control `id`, creating the control from the table where there is none yet. Every
// control is made here, and only where none exists, so that no identifier is ever created twice:
// a second control would make reading its text ambiguous. A control that cannot be created is
// simply missing; the next refresh tries again.
void ShowInControl(Platform& platform, int id, std::string_view text) {
  const ControlLayout* layout = FindControlLayout(id);
  const std::string_view name = layout != nullptr ? ScreenReaderName(*layout, text) : "";
  if (platform.SetControlText(id, text, name) || layout == nullptr) return;
  platform.CreateControl(id, layout->kind, layout->place, text, name);
}

}  // namespace

std::string_view FirstText(const CityState& city, const ControlLayout& layout) {
  const auto element = static_cast<std::size_t>(layout.element);
  switch (layout.source) {
    case InitialText::kChoiceText:
      return city.ChoiceText[element];
    case InitialText::kIndicatorText:
      return city.IndicatorText[element];
    case InitialText::kFixed:
      break;
  }
  return layout.text;
}

void CreateYearFont(MainDialog& dialog, Platform& platform) {
  // Bounded so that no screen report can overflow the product.
  const int pixels_per_inch = std::clamp(platform.LogicalPixelsPerInch(), 0, 100000);
  const FontRequest request{
      .character_height = (pixels_per_inch * 24) / 72, .weight = 400, .face = kDialogFontFace};
  dialog.YearFont = platform.CreateLogicalFont(request);
}

std::string ReadControlText(Platform& platform, int id) {
  return platform.ControlText(id).value_or("");
}

void WindowDisplay::RefreshControl(int control_id, std::string_view text) {
  if (dialog_.MainDialogHandle == 0) return;
  ShowInControl(platform_, control_id, text);
}

void WindowDisplay::ApplyYearFont() {
  if (dialog_.MainDialogHandle == 0) return;
  platform_.SetControlFont(control_id::kYearBox, dialog_.YearFont);
}

void WindowDisplay::Pause(int milliseconds) { platform_.Pause(milliseconds); }

}  // namespace townwright
