#include "platform/qt/main_window_widget.h"

#include <QCloseEvent>
#include <QEvent>
#include <QExposeEvent>
#include <QWindow>
#include <utility>

namespace townwright::qt {

// A fixed-size window with a title bar and the window manager's close command, and nothing else:
// no minimise or maximise button, no resize border. The close hint stays because window managers
// refuse Alt+F4 to windows that do not advertise it.
MainWindowWidget::MainWindowWidget(std::function<void(const WindowEvent&)> report,
                                   std::function<void()> on_screen)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      report_(std::move(report)),
      on_screen_(std::move(on_screen)) {}

bool MainWindowWidget::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate) {
    report_({.kind = WindowEvent::Kind::kActivation,
             .active = event->type() == QEvent::WindowActivate});
  }
  return QWidget::event(event);
}

void MainWindowWidget::showEvent(QShowEvent* event) {
  // The native window exists from the first show on; its first exposure is the moment the window
  // manager has framed and mapped it.
  if (!watching_ && windowHandle() != nullptr) {
    windowHandle()->installEventFilter(this);
    watching_ = true;
  }
  QWidget::showEvent(event);
}

bool MainWindowWidget::eventFilter(QObject* watched, QEvent* event) {
  if (!was_on_screen_ && watched == windowHandle() && event->type() == QEvent::Expose &&
      windowHandle()->isExposed()) {
    was_on_screen_ = true;
    if (on_screen_) on_screen_();
  }
  return QWidget::eventFilter(watched, event);
}

void MainWindowWidget::closeEvent(QCloseEvent* event) {
  event->ignore();
  report_({.kind = WindowEvent::Kind::kSystemClose});
}

}  // namespace townwright::qt
