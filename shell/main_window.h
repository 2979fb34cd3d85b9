#pragma once

// The main window: its caption, place and font, its controls' first texts, its year font, reading a
// control's text, and the display a turn writes through. The session builds it
// (GameSession::BuildMainDialog).

#include <string>

#include "data/city_state.h"
#include "shell/control_table.h"
#include "shell/main_dialog.h"
#include "shell/platform.h"
#include "view/display.h"

namespace townwright {

inline constexpr std::string_view kWindowCaption = "Townwright - by the Townwright developers";
inline constexpr std::string_view kDialogFontFace = "MS Sans Serif";
inline constexpr int kDialogFontPoints = 8;
// The client area's place from the screen's top-left corner, and its size.
inline constexpr DialogRect kMainWindowPlace = {133, 127, 425, 324};

// The text control `layout` of the window is made with: its fixed text, or the element of
// ChoiceText or IndicatorText it shows.
std::string_view FirstText(const CityState& city, const ControlLayout& layout);

// Creates the 24-point year font from the screen's pixels per logical inch P: characters
// (P * 24) / 72 pixels high, truncated toward zero; stores it in YearFont.
void CreateYearFont(MainDialog& dialog, Platform& platform);

// The text of control `id`, or the empty string when there is no such control.
std::string ReadControlText(Platform& platform, int id);

// The display of a turn over the window. Refreshing a control that does not exist yet creates it
// in its place from the control table; while there is no window, refreshes do nothing.
class WindowDisplay final : public Display {
 public:
  WindowDisplay(const MainDialog& dialog, Platform& platform)
      : dialog_(dialog), platform_(platform) {}

  void RefreshControl(int control_id, std::string_view text) override;
  void ApplyYearFont() override;
  void Pause(int milliseconds) override;

 private:
  const MainDialog& dialog_;
  Platform& platform_;
};

}  // namespace townwright
