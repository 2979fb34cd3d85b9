#include "shell/main_window.h"

#include <algorithm>

#include "view/control_ids.h"

namespace townwright {
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

void BuildMainDialog(CityState& city, Platform& platform) {
  city.MainDialogHandle = platform.CreateMainWindow(kWindowCaption, kMainWindowPlace,
                                                    kDialogFontFace, kDialogFontPoints);
  if (city.MainDialogHandle == 0) return;
  // A control that cannot be created is simply missing; a later refresh tries again.
  for (const ControlLayout& layout : WindowControls()) {
    platform.CreateControl(layout.id, layout.kind, layout.place, FirstText(city, layout));
  }
  CreateYearFont(city, platform);
  platform.SetControlFont(control_id::kYearBox, city.YearFont);
}

void CreateYearFont(CityState& city, Platform& platform) {
  // Bounded so that no screen report can overflow the product.
  const int pixels_per_inch = std::clamp(platform.LogicalPixelsPerInch(), 0, 100000);
  const FontRequest request{
      .height = -(pixels_per_inch * 24) / 72, .weight = 400, .face = kDialogFontFace};
  city.YearFont = platform.CreateLogicalFont(request);
}

std::string ReadControlText(Platform& platform, int id) {
  return platform.ControlText(id).value_or("");
}

void WindowDisplay::RefreshControl(int control_id, std::string_view text) {
  if (city_.MainDialogHandle == 0) return;
  if (platform_.SetControlText(control_id, text)) return;
  if (const ControlLayout* layout = FindControlLayout(control_id)) {
    platform_.CreateControl(layout->id, layout->kind, layout->place, text);
  }
}

void WindowDisplay::ApplyYearFont() {
  if (city_.MainDialogHandle == 0) return;
  platform_.SetControlFont(control_id::kYearBox, city_.YearFont);
}

void WindowDisplay::Pause(int milliseconds) { platform_.Pause(milliseconds); }

}  // namespace townwright
