#pragma once

// The top-level widget of the game's window. It has no behaviour of its own: it reports its
// activation changes and the window manager's close request, and ignores that request, since
// only the game's command handler may end the window.

#include <QWidget>
#include <functional>

#include "shell/platform.h"

namespace townwright::qt {

class MainWindowWidget final : public QWidget {
 public:
  explicit MainWindowWidget(std::function<void(const WindowEvent&)> report);

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  std::function<void(const WindowEvent&)> report_;
};

}  // namespace townwright::qt
