#pragma once

// A window that exists only in memory: controls in a table, pauses and message boxes recorded
// instead of slept or shown, the keyboard focus tracked. Tests and the simulation tool play real
// games through it with the commands a player's clicks send.

#include <array>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "shell/platform.h"
#include "view/control_ids.h"

namespace townwright {

class HeadlessPlatform final : public Platform {
 public:
  struct Control {
    int id = 0;
    ControlKind kind = ControlKind::kLabel;
    DialogRect place;
    std::string text;
    std::string accessible_name;  // empty: the text names it
    FontHandle font = 0;          // 0: the dialog font
    WindowHandle handle = 0;
  };

  struct Font {
    int character_height = 0;
    int weight = 0;
    std::string face;
  };

  struct MessageBox {
    std::string text;
    std::string caption;
    bool open = true;  // until CloseNewestMessageBox, or the end of the window
  };

  // Platform.
  WindowHandle CreateMainWindow(std::string_view caption, DialogRect client_area,
                                std::string_view font_face, int font_points) override;
  WindowHandle CreateControl(int id, ControlKind kind, DialogRect place, std::string_view text,
                             std::string_view accessible_name) override;
  bool SetControlText(int id, std::string_view text, std::string_view accessible_name) override;
  std::optional<std::string> ControlText(int id) override;
  int LogicalPixelsPerInch() override { return pixels_per_inch_; }
  FontHandle CreateLogicalFont(const FontRequest& request) override;
  void SetControlFont(int id, FontHandle font) override;
  void ShowMessageBox(std::string_view text, std::string_view caption) override;
  int OpenMessageBoxes() override;
  void Pause(int milliseconds) override;
  WindowHandle FocusedControl() override { return focus_; }
  void SetFocus(WindowHandle control) override { focus_ = control; }
  // Recorded only once asked for (set_keeps_news), as games are kept: the tests and tools that
  // play millions of turns would otherwise hold every turn's news.
  void Announce(std::string_view news) override {
    if (keeps_news_) announcements_.emplace_back(news);
  }
  int RunUntilEnded(const WindowEventHandler& handler) override;
  void EndWindow(int result) override;
  // Kept in memory, so that a test can start another window on the copy, as a page reloaded does;
  // only once asked for (set_keeps_games), since the tests and tools that play millions of turns
  // need not pay for a copy after each.
  bool KeepsGames() override { return keeps_games_; }
  void KeepGame(std::string_view copy) override { kept_game_ = copy; }
  std::string KeptGame() override { return kept_game_; }

  // What a player does. RunUntilEnded delivers posted events in order, then lets the player act
  // (set_player); an event posted while it runs is delivered at once, unless the handler is busy:
  // then it waits until the handler returns, as in a real window. When both have run out the
  // window is left open and RunUntilEnded returns kWindowStillOpen.
  void Post(const WindowEvent& event);
  void PostClick(int id, int notification_code = 0);
  void set_player(std::function<void()> player) { player_ = std::move(player); }
  // Presses OK on the newest open message box; false when none is open.
  bool CloseNewestMessageBox();
  // Types `text` into control `id` as a player would; false when there is no such control.
  bool Type(int id, std::string_view text);
  void Focus(int id);

  // Set-up of the simulated screen and of failures.
  void set_pixels_per_inch(int pixels) { pixels_per_inch_ = pixels; }
  void set_refuse_main_window(bool refuse) { refuse_main_window_ = refuse; }
  void set_keeps_games(bool keeps) { keeps_games_ = keeps; }
  void set_keeps_news(bool keeps) { keeps_news_ = keeps; }
  // Runs at every pause, after counting it.
  void set_on_pause(std::function<void(int milliseconds)> hook) { on_pause_ = std::move(hook); }

  // What the window shows.
  const Control* FindControl(int id) const;
  const std::vector<Control>& controls() const { return controls_; }  // in creation order
  bool window_exists() const { return window_ != 0; }
  const std::string& caption() const { return caption_; }
  DialogRect client_area() const { return client_area_; }
  const std::string& dialog_font_face() const { return font_face_; }
  int dialog_font_points() const { return font_points_; }
  const std::vector<Font>& fonts() const { return fonts_; }  // handle k is fonts()[k - 1]
  const std::vector<MessageBox>& message_boxes() const { return message_boxes_; }  // all shown
  // Every news told since set_keeps_news, oldest first.
  const std::vector<std::string>& announcements() const { return announcements_; }
  int pauses() const { return pauses_; }
  long long paused_milliseconds() const { return paused_milliseconds_; }
  bool ended() const { return ended_; }
  int end_result() const { return end_result_; }

 private:
  static std::size_t Slot(int id);
  std::optional<std::size_t> PositionOf(int id) const;
  Control* Find(int id);
  void DeliverPosted();

  WindowHandle window_ = 0;
  std::string caption_;
  DialogRect client_area_;
  std::string font_face_;
  int font_points_ = 0;
  std::vector<Control> controls_;
  // The window's controls by identifier, as positions in `controls_` plus one (0: none); a control
  // with another identifier is looked up in `controls_` itself.
  std::array<std::size_t, control_id::kIdCount> by_id_{};
  std::vector<Font> fonts_;
  std::vector<MessageBox> message_boxes_;
  std::vector<std::string> announcements_;
  std::deque<WindowEvent> posted_;
  std::function<void()> player_;
  std::function<void(int milliseconds)> on_pause_;
  const WindowEventHandler* handler_ = nullptr;  // while RunUntilEnded runs
  bool delivering_ = false;
  WindowHandle focus_ = 0;
  int pixels_per_inch_ = 96;
  bool refuse_main_window_ = false;
  int pauses_ = 0;
  long long paused_milliseconds_ = 0;
  bool ended_ = false;
  int end_result_ = kWindowStillOpen;
  bool keeps_games_ = false;
  bool keeps_news_ = false;
  std::string kept_game_;
};

}  // namespace townwright
