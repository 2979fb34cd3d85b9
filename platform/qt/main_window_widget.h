#pragma once

// The top-level widget of the game's window. It has no behaviour of its own: it reports its
// activation changes and the window manager's close request, and ignores that request, since
// only the game's command handler may end the window. It also says when it is first on screen,
// the moment its frame is known.

#include <QWidget>
#include <functional>

#include "shell/platform.h"

namespace townwright::qt {

class MainWindowWidget final : public QWidget {
 public:
  MainWindowWidget(std::function<void(const WindowEvent&)> report, std::function<void()> on_screen);

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  std::function<void(const WindowEvent&)> report_;
  std::function<void()> on_screen_;
  bool watching_ = false;
  bool was_on_screen_ = false;
};

}  // namespace townwright::qt
