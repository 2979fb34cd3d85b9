#pragma once

// The main window: building it, its year font, and the display a turn writes through.

#include <string>

#include "data/city_state.h"
#include "shell/control_table.h"
#include "shell/platform.h"
#include "view/display.h"

namespace townwright {

inline constexpr std::string_view kWindowCaption = "Townwright - by the Townwright developers";
inline constexpr std::string_view kDialogFontFace = "MS Sans Serif";
inline constexpr int kDialogFontPoints = 8;
// The client area's place from the screen's top-left corner, and its size.
inline constexpr DialogRect kMainWindowPlace = {133, 127, 425, 324};

// Creates the main window (stored in MainDialogHandle), its 53 controls in creation order with
// their first texts, and the year font, which it gives to the year box. If the window cannot be
// created, MainDialogHandle stays 0 and nothing else is made.
void BuildMainDialog(CityState& city, Platform& platform);

// The text a control of the window is created with: its fixed text, or the element of ChoiceText or
// IndicatorText it shows.
std::string_view FirstText(const CityState& city, const ControlLayout& layout);

// Creates the 24-point year font from the screen's pixels per logical inch P: height -(P * 24) /
// 72, truncated toward zero; stores it in YearFont.
void CreateYearFont(CityState& city, Platform& platform);

// The text of control `id`, or the empty string when there is no such control.
std::string ReadControlText(Platform& platform, int id);

// The display of a turn over the window. Refreshing a control that does not exist yet creates it
// in its place from the control table; while there is no window, refreshes do nothing.
class WindowDisplay final : public Display {
 public:
  WindowDisplay(CityState& city, Platform& platform) : city_(city), platform_(platform) {}

  void RefreshControl(int control_id, std::string_view text) override;
  void ApplyYearFont() override;
  void Pause(int milliseconds) override;

 private:
  CityState& city_;
  Platform& platform_;
};

}  // namespace townwright
