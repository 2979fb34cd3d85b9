#pragma once

// The game's window on a web page, drawn with the page's own elements: a fieldset and legend for a
// frame, a label, a text input, a button. It maps dialog units to CSS pixels from the page font's
// metrics, hands the page's clicks to the game one at a time and lets the page paint during every
// pause; every rule of the game stays in the portable shell.
//
// The page's script (page.js) does the drawing; this class decides what is drawn. A pause and the
// wait for the next event give the browser its thread back (Asyncify), so the page stays alive
// while the game's own code runs as if it held a thread of its own.

#include <array>
#include <string>
#include <vector>

#include "shell/dialog_units.h"
#include "shell/platform.h"
#include "view/control_ids.h"

namespace townwright::web {

class WebPlatform final : public Platform {
 public:
  WebPlatform();
  ~WebPlatform() override;
  WebPlatform(const WebPlatform&) = delete;
  WebPlatform& operator=(const WebPlatform&) = delete;

  // Platform.
  WindowHandle CreateMainWindow(std::string_view caption, DialogRect client_area,
                                std::string_view font_face, int font_points) override;
  WindowHandle CreateControl(int id, ControlKind kind, DialogRect place, std::string_view text,
                             std::string_view accessible_name) override;
  bool SetControlText(int id, std::string_view text, std::string_view accessible_name) override;
  std::optional<std::string> ControlText(int id) override;
  int LogicalPixelsPerInch() override;
  FontHandle CreateLogicalFont(const FontRequest& request) override;
  void SetControlFont(int id, FontHandle font) override;
  void ShowMessageBox(std::string_view text, std::string_view caption) override;
  int OpenMessageBoxes() override;
  void Pause(int milliseconds) override;
  WindowHandle FocusedControl() override;
  void SetFocus(WindowHandle control) override;
  int RunUntilEnded(const WindowEventHandler& handler) override;
  void EndWindow(int result) override;
  // In the tab's session storage (kept_game.js).
  bool KeepsGames() override { return true; }
  void KeepGame(std::string_view copy) override;
  std::string KeptGame() override;

 private:
  struct Font {
    int pixel_height = 0;
    int weight = 400;
    std::string face;
  };

  bool Exists(int id) const;
  void DestroyWindow();

  bool window_ = false;
  BaseUnits base_units_;
  // Whether each of the window's controls exists, by identifier from control_id::kFirstId.
  std::array<bool, control_id::kIdCount> exists_{};
  std::vector<Font> fonts_;  // handle k is fonts_[k - 1]
  bool ended_ = false;
  int end_result_ = 0;
};

}  // namespace townwright::web
