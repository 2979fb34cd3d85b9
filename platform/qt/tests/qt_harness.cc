#include "platform/qt/tests/qt_harness.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "view/control_ids.h"

namespace townwright::qt {

void QtHarness::SettleEvents() {
  for (int round = 0; round < 3; ++round) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
}

bool QtHarness::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show) {
    QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(watched);
    if (heard != nullptr && heard->role() == QAccessible::Notification) {
      told_.push_back(heard->text(QAccessible::Name).toStdString());
    }
  }
  return false;
}

int QtHarness::Run(const WindowEventHandler& handler, const std::function<void()>& player) {
  if (QWidget* window = platform_.MainWindow()) {
    for (QObject* child : window->children()) child->installEventFilter(this);
  }
  // Owned here, so that a start that never comes cannot outlive the player.
  QTimer starter;
  starter.setSingleShot(true);
  QObject::connect(&starter, &QTimer::timeout, &starter, [&] {
    if (QTest::qWaitForWindowActive(platform_.MainWindow())) {
      player();
    } else {
      ADD_FAILURE() << "the window was never activated";
    }
    platform_.EndWindow(kWindowStillOpen);  // ignored when the player ended the window
  });
  starter.start(0);
  return platform_.RunUntilEnded(handler);
}

void QtHarness::Click(int id) {
  QWidget* widget = Widget(id);
  if (widget == nullptr) {
    ADD_FAILURE() << "no control " << id << " to click";
    return;
  }
  QTest::mouseClick(widget, Qt::LeftButton);
}

void QtHarness::ClickLater(int id) {
  QWidget* widget = Widget(id);
  if (widget == nullptr) {
    ADD_FAILURE() << "no control " << id << " to click";
    return;
  }
  const QPointF centre = QRectF(widget->rect()).center();
  const QPointF global = widget->mapToGlobal(centre);
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QCoreApplication::postEvent(
        widget, new QMouseEvent(type, centre, global, Qt::LeftButton, held, Qt::NoModifier));
  }
}

void QtHarness::Type(int id, std::string_view text) {
  auto* box = qobject_cast<QLineEdit*>(Widget(id));
  if (box == nullptr) {
    ADD_FAILURE() << "no text box " << id << " to type into";
    return;
  }
  box->setFocus();
  box->selectAll();
  QTest::keyClicks(box, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void QtHarness::Focus(int id) {
  if (QWidget* widget = Widget(id)) widget->setFocus(Qt::OtherFocusReason);
}

void QtHarness::SwitchAway() {
  other_window_ = std::make_unique<QWidget>();
  other_window_->show();
  other_window_->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(other_window_.get()));
}

void QtHarness::ComeBack() {
  platform_.MainWindow()->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(platform_.MainWindow()));
  other_window_.reset();
}

void QtHarness::CloseNewestMessageBox() {
  const std::vector<QMessageBox*> boxes = platform_.MessageBoxes();
  if (boxes.empty()) {
    ADD_FAILURE() << "no box to close";
    return;
  }
  QTest::mouseClick(boxes.back()->button(QMessageBox::Ok), Qt::LeftButton);
  SettleEvents();
}

void QtHarness::SystemClose() { platform_.MainWindow()->close(); }

void QtHarness::Press(testing::Key key) {
  QWidget* focused = QApplication::focusWidget();
  if (focused == nullptr) {
    ADD_FAILURE() << "no control has the focus";
    return;
  }
  switch (key) {
    case testing::Key::kEnter:
      QTest::keyClick(focused, Qt::Key_Return);
      break;
    case testing::Key::kEscape:
      QTest::keyClick(focused, Qt::Key_Escape);
      break;
    case testing::Key::kSpace:
      QTest::keyClick(focused, Qt::Key_Space);
      break;
    case testing::Key::kTab:
      QTest::keyClick(focused, Qt::Key_Tab);
      break;
  }
}

std::string QtHarness::Caption() {
  const QWidget* window = platform_.MainWindow();
  return window != nullptr ? window->windowTitle().toStdString() : "";
}

int QtHarness::IdOf(const QObject* widget) const {
  for (int id = control_id::kFirstId; id <= control_id::kLastId; ++id) {
    if (widget != nullptr && Widget(id) == widget) return id;
  }
  return 0;
}

std::vector<int> QtHarness::Controls() {
  std::vector<int> ids;
  if (const QWidget* window = platform_.MainWindow()) {
    // A widget's children are kept in the order they were made.
    for (const QObject* child : window->children()) {
      if (const int id = IdOf(child)) ids.push_back(id);
    }
  }
  return ids;
}

int QtHarness::FocusedControl() { return IdOf(QApplication::focusWidget()); }

std::vector<testing::ShownBox> QtHarness::MessageBoxes() {
  std::vector<testing::ShownBox> open;
  if (platform_.MainWindow() != nullptr) {
    for (const QMessageBox* box : platform_.MessageBoxes()) {
      open.push_back({box->windowTitle().toStdString(), box->text().toStdString()});
    }
    return open;
  }
  // Without the window the platform keeps no boxes: any box still on screen has outlived it.
  for (const QWidget* widget : QApplication::topLevelWidgets()) {
    const auto* box = qobject_cast<const QMessageBox*>(widget);
    if (box != nullptr && box->isVisible()) {
      open.push_back({box->windowTitle().toStdString(), box->text().toStdString()});
    }
  }
  return open;
}

}  // namespace townwright::qt

namespace townwright::testing {

const HarnessMaker kHarnessUnderTest = {
    "Qt", true, [] { return std::unique_ptr<PlatformHarness>(std::make_unique<qt::QtHarness>()); }};

}  // namespace townwright::testing
