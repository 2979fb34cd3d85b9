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

// What the game keeps of the window it is played in. It lives beside the game's CityState, not in
// it: the record holds the game alone, and the window's handles mean nothing to the rules.
struct MainDialog {
  WindowHandle MainDialogHandle = 0;  // 0 while there is no window
  FontHandle YearFont = 0;
  WindowHandle SavedFocus = 0;  // the control that had the focus when the window went inactive
  bool Ended = false;           // the game has ended the window ("Exit", or the system's close)
};

// Creates the main window (stored in MainDialogHandle), its 53 controls in creation order with
// their first texts from `city`, and the year font, which it gives to the year box. If the window
// cannot be created, MainDialogHandle stays 0 and nothing else is made.
void BuildMainDialog(const CityState& city, MainDialog& window, Platform& platform);

// Creates the 24-point year font from the screen's pixels per logical inch P: characters
// (P * 24) / 72 pixels high, truncated toward zero; stores it in YearFont.
void CreateYearFont(MainDialog& window, Platform& platform);

// The text of control `id`, or the empty string when there is no such control.
std::string ReadControlText(Platform& platform, int id);

// The display of a turn over the window. Refreshing a control that does not exist yet creates it
// in its place from the control table; while there is no window, refreshes do nothing.
class WindowDisplay final : public Display {
 public:
  WindowDisplay(const MainDialog& window, Platform& platform)
      : window_(window), platform_(platform) {}

  void RefreshControl(int control_id, std::string_view text) override;
  void ApplyYearFont() override;
  void Pause(int milliseconds) override;

 private:
  const MainDialog& window_;
  Platform& platform_;
};

}  // namespace townwright
