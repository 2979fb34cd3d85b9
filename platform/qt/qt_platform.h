#pragma once

// The game's window on Qt 6 Widgets. It creates the widgets, maps dialog units to pixels and turns
// Qt's events into WindowEvents; every rule of the game stays in the portable shell.
//
// One thread: construct, use and destroy it on the thread of the QApplication, which must exist
// first and must not quit when its last window closes (the window's life is RunUntilEnded's).

#include <QFont>
#include <QPointer>
#include <QWidget>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/qt/qt_dialog_units.h"
#include "shell/platform.h"

class QEventLoop;
class QMessageBox;

namespace townwright::qt {

class MainWindowWidget;
class NewsNotification;

class QtPlatform final : public Platform {
 public:
  // How a pause holds the thread; the program sleeps, tests may only count.
  using Sleeper = std::function<void(int milliseconds)>;
  static void SleepFor(int milliseconds);

  explicit QtPlatform(Sleeper sleeper = &QtPlatform::SleepFor);
  ~QtPlatform() override;
  QtPlatform(const QtPlatform&) = delete;
  QtPlatform& operator=(const QtPlatform&) = delete;

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
  // A notification of the window's, which has no size (platform/qt/news_notification.h).
  void Announce(std::string_view news) override;
  int RunUntilEnded(const WindowEventHandler& handler) override;
  void EndWindow(int result) override;
  // A run is the process, and nothing of a game outlives it.
  bool KeepsGames() override { return false; }
  void KeepGame(std::string_view /*copy*/) override {}
  std::string KeptGame() override { return {}; }

  // For tests, the screenshot and measurement tools: the main window and control `id`, or null.
  QWidget* MainWindow() const;
  QWidget* Control(int id) const;
  const QFont& MainDialogFont() const { return dialog_font_; }
  // The message boxes that are still open, oldest first.
  std::vector<QMessageBox*> MessageBoxes() const;

 private:
  struct ControlEntry {
    ControlKind kind;
    QWidget* widget;  // owned by the main window
  };

  // Hands events to the handler one at a time: an event raised while the handler runs waits
  // until it returns, so a turn is never entered twice.
  void Deliver(const WindowEvent& event);
  void DestroyWindow();
  // The window's client area, placed so that the whole window, `frame` included, fits on the
  // screen; and the window moved there once its frame is known.
  QRect FittedPlace(const QMargins& frame) const;
  void FitFramedWindow();

  Sleeper sleeper_;
  std::unique_ptr<MainWindowWidget> window_;
  QRect own_place_;  // the client area at its own place
  QFont dialog_font_;
  BaseUnits base_units_;
  std::map<int, ControlEntry> controls_;
  std::vector<QPointer<QWidget>> changed_since_pause_;
  std::vector<QFont> fonts_;  // handle k is fonts_[k - 1]
  std::vector<QPointer<QMessageBox>> message_boxes_;
  NewsNotification* news_ = nullptr;  // owned by the main window

  WindowEventHandler handler_;
  std::deque<WindowEvent> waiting_;
  bool delivering_ = false;
  QEventLoop* loop_ = nullptr;
  bool ended_ = false;
  int end_result_ = 0;
};

}  // namespace townwright::qt
