#pragma once

// The Qt window under test, on Qt's offscreen platform: the player acts through QTest's mouse and
// keys, inside the window's own event loop, the way Qt delivers a person's input.

#include <QMessageBox>
#include <QWidget>
#include <memory>

#include "platform/contract/platform_harness.h"
#include "platform/qt/qt_platform.h"

namespace townwright::qt {

class QtHarness final : public QObject, public testing::PlatformHarness {
 public:
  QtHarness() = default;

  QtPlatform& qt() { return platform_; }
  QWidget* Widget(int id) const { return platform_.Control(id); }
  // Lets queued input and deferred deletions through, as the event loop would between turns.
  static void SettleEvents();

  // PlatformHarness.
  Platform& platform() override { return platform_; }
  int Run(const WindowEventHandler& handler, const std::function<void()>& player) override;
  void Click(int id) override;
  void ClickLater(int id) override;
  void Type(int id, std::string_view text) override;
  void Focus(int id) override;
  void SwitchAway() override;
  void ComeBack() override;
  void CloseNewestMessageBox() override;
  void SystemClose() override;
  void Press(testing::Key key) override;
  void Settle() override { SettleEvents(); }
  std::string Caption() override;
  std::optional<std::string> Text(int id) override { return platform_.ControlText(id); }
  std::vector<int> Controls() override;
  int FocusedControl() override;
  std::vector<testing::ShownBox> MessageBoxes() override;
  std::vector<std::string> Told() override { return told_; }
  void OnGameThread(const std::function<void()>& work) override { work(); }

 private:
  // Hears the window's notifications as they show, through their accessible objects.
  bool eventFilter(QObject* watched, QEvent* event) override;
  int IdOf(const QObject* widget) const;

  QtPlatform platform_{[this](int milliseconds) { Paused(milliseconds); }};
  std::unique_ptr<QWidget> other_window_;
  std::vector<std::string> told_;
};

}  // namespace townwright::qt
