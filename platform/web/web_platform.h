#pragma once

// The game's window on a web page, drawn with the page's own elements: a fieldset and legend for a
// frame, a label, a text input, a button. It maps dialog units to CSS pixels from the page font's
// metrics, hands the page's clicks to the game one at a time and lets the page paint during every
// pause; every rule of the game stays in the portable shell.
//
// The page's script (page.js) does the drawing; this class decides what is drawn. The page's thread
// is the browser's, and the game never holds it: an event runs to its end at once, and what it
// draws after a pause the page shows when the pause is over, taking the player's next event only
// then. So the game's own code runs as if it held a thread of its own, without the module carrying
// the instrumentation that lets a call wait (Asyncify).

#include <array>
#include <string>
#include <vector>

#include "platform/kit/dialog_units.h"
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
  // In the page's live region; news from before the window shows (a kept game brought back) is
  // said once it shows, after the page has said that it is starting.
  void Announce(std::string_view news) override;
  int RunUntilEnded(const WindowEventHandler& handler) override;
  void EndWindow(int result) override;
  // In the tab's session storage (kept_game.js), stored once what the event drew is shown.
  bool KeepsGames() override { return true; }
  void KeepGame(std::string_view copy) override;
  std::string KeptGame() override;

  // What the player did, as the page reports it, one event at a time once what the one before
  // drew is shown: to the handler RunUntilEnded was given. A text box whose text the player
  // changed carries its new text, which the game reads from then on.
  void Deliver(int kind, int id, int code, bool active);

 private:
  struct Font {
    int pixel_height = 0;
    int weight = 400;
    std::string face;
  };

  // Hands the handler `event`, and ends the window after it where the game ended it.
  void Handle(const WindowEvent& event);
  bool Exists(int id) const;
  void DestroyWindow();

  bool window_ = false;
  bool shown_ = false;  // RunUntilEnded has shown the window
  std::string news_before_shown_;
  BaseUnits base_units_;
  // Whether each of the window's controls exists, and the text it shows as the game sees it, by
  // identifier from control_id::kFirstId.
  std::array<bool, control_id::kIdCount> exists_{};
  std::array<std::string, control_id::kIdCount> texts_;
  WindowEventHandler handler_;  // from RunUntilEnded until the window is ended
  std::vector<Font> fonts_;     // handle k is fonts_[k - 1]
  bool ended_ = false;
  int end_result_ = 0;
};

}  // namespace townwright::web
