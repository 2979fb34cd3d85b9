#include "shell/qt/main_window_widget.h"

#include <QCloseEvent>
#include <QEvent>
#include <utility>

namespace townwright::qt {

// A fixed-size window with a title bar and the window manager's close command, and nothing else:
// no minimise or maximise button, no resize border. The close hint stays because window managers
// refuse Alt+F4 to windows that do not advertise it.
MainWindowWidget::MainWindowWidget(std::function<void(const WindowEvent&)> report)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      report_(std::move(report)) {}

bool MainWindowWidget::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate) {
    report_({.kind = WindowEvent::Kind::kActivation,
             .active = event->type() == QEvent::WindowActivate});
  }
  return QWidget::event(event);
}

void MainWindowWidget::closeEvent(QCloseEvent* event) {
  event->ignore();
  report_({.kind = WindowEvent::Kind::kSystemClose});
}

}  // namespace townwright::qt
