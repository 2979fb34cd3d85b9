#include "platform/qt/qt_platform.h"

#include <QEventLoop>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QString>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

#include "platform/kit/window_placement.h"
#include "platform/qt/frame_box.h"
#include "platform/qt/main_window_widget.h"
#include "platform/qt/news_notification.h"
#include "shell/control_table.h"

namespace townwright::qt {
namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Buttons and group boxes would take "&" as the mark of a keyboard shortcut; the game's texts are
// shown as they are, so every "&" is doubled on the way in and halved on the way out.
QString EscapeMnemonics(QString text) { return text.replace(u'&', QStringLiteral("&&")); }
QString UnescapeMnemonics(QString text) {
  return text.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

QString TextOf(ControlKind kind, const QWidget& widget) {
  switch (kind) {
    case ControlKind::kFrame:
      return UnescapeMnemonics(static_cast<const QGroupBox&>(widget).title());
    case ControlKind::kLabel:
      return static_cast<const QLabel&>(widget).text();
    case ControlKind::kButton:
      return UnescapeMnemonics(static_cast<const QPushButton&>(widget).text());
    case ControlKind::kTextBox:
      return static_cast<const QLineEdit&>(widget).text();
  }
  return {};
}

void SetTextOf(ControlKind kind, QWidget& widget, const QString& text) {
  switch (kind) {
    case ControlKind::kFrame:
      static_cast<QGroupBox&>(widget).setTitle(EscapeMnemonics(text));
      break;
    case ControlKind::kLabel:
      static_cast<QLabel&>(widget).setText(text);
      break;
    case ControlKind::kButton:
      static_cast<QPushButton&>(widget).setText(EscapeMnemonics(text));
      break;
    case ControlKind::kTextBox: {
      auto& box = static_cast<QLineEdit&>(widget);
      box.setText(text);
      // A new text is shown from its start, as a narrow box should show a long figure.
      box.setCursorPosition(0);
      break;
    }
  }
}

QWidget* MakeWidget(ControlKind kind, QWidget* parent) {
  switch (kind) {
    case ControlKind::kFrame:
      return new FrameBox(parent);
    case ControlKind::kLabel: {
      auto* label = new QLabel(parent);
      // Plain text: a game text is never taken as markup.
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return label;
    }
    case ControlKind::kButton: {
      auto* button = new QPushButton(parent);
      // Enter and Space press the focused button, as in a Windows dialog. There is no default
      // button, so Enter elsewhere (in a tax box) presses nothing.
      button->setAutoDefault(true);
      button->setDefault(false);
      return button;
    }
    case ControlKind::kTextBox:
      return new QLineEdit(parent);
  }
  return nullptr;
}

void SetAccessibleName(QWidget& widget, std::string_view name) {
  const QString wanted = ToQString(name);
  if (widget.accessibleName() != wanted) widget.setAccessibleName(wanted);
}

PixelRect ToPixelRect(const QRect& rect) {
  return {rect.x(), rect.y(), rect.width(), rect.height()};
}

}  // namespace

void QtPlatform::SleepFor(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(std::max(milliseconds, 0)));
}

QtPlatform::QtPlatform(Sleeper sleeper) : sleeper_(std::move(sleeper)) {}

QtPlatform::~QtPlatform() { DestroyWindow(); }

WindowHandle QtPlatform::CreateMainWindow(std::string_view caption, DialogRect client_area,
                                          std::string_view font_face, int font_points) {
  if (window_) return 0;  // one main window per platform
  dialog_font_ = DialogFont(font_face, font_points);
  base_units_ = BaseUnitsOf(dialog_font_);
  window_ = std::make_unique<MainWindowWidget>([this](const WindowEvent& event) { Deliver(event); },
                                               [this] { FitFramedWindow(); });
  // It takes no focus, so the tab order stays the controls' creation order.
  news_ = new NewsNotification(window_.get());
  window_->setWindowTitle(ToQString(caption));
  window_->setFont(dialog_font_);
  // The place is the client area's, counted from the screen's top-left corner, not centred.
  const QRect client = MapDialogRect(client_area, base_units_);
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QPoint origin = screen != nullptr ? screen->geometry().topLeft() : QPoint();
  own_place_ = QRect(origin + client.topLeft(), client.size());
  window_->setFixedSize(client.size());
  // The frame is not known before the window manager has framed the window: the client area is
  // fitted now, the whole window once it is on screen.
  window_->setGeometry(FittedPlace(QMargins()));
  return kMainWindowHandle;
}

QRect QtPlatform::FittedPlace(const QMargins& frame) const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  // Under Wayland the compositor places windows; a place asked for is ignored.
  if (screen == nullptr || QGuiApplication::platformName().startsWith(u"wayland")) {
    return own_place_;
  }
  const QRect outer = own_place_.marginsAdded(frame);
  const PixelRect placed =
      PlaceWindow(ToPixelRect(outer), ToPixelRect(screen->availableGeometry()));
  return own_place_.translated(placed.x - outer.x(), placed.y - outer.y());
}

void QtPlatform::FitFramedWindow() {
  if (!window_ || window_->windowHandle() == nullptr) return;
  const QRect place = FittedPlace(window_->windowHandle()->frameMargins());
  if (window_->geometry() != place) window_->setGeometry(place);
}

WindowHandle QtPlatform::CreateControl(int id, ControlKind kind, DialogRect place,
                                       std::string_view text, std::string_view accessible_name) {
  if (!window_) return 0;
  QWidget* widget = MakeWidget(kind, window_.get());
  if (widget == nullptr) return 0;
  widget->setFont(dialog_font_);
  SetTextOf(kind, *widget, ToQString(text));
  SetAccessibleName(*widget, accessible_name);
  if (kind == ControlKind::kButton) {
    QObject::connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, widget, [this, id] {
      Deliver({.kind = WindowEvent::Kind::kCommand, .control_id = id, .notification_code = 0});
    });
  }
  widget->setGeometry(MapDialogRect(place, base_units_));
  widget->show();
  controls_.emplace(id, ControlEntry{kind, widget});
  changed_since_pause_.emplace_back(widget);
  return ControlHandle(id);
}

bool QtPlatform::SetControlText(int id, std::string_view text, std::string_view accessible_name) {
  const auto found = controls_.find(id);
  if (found == controls_.end()) return false;
  const ControlEntry& control = found->second;
  const QString new_text = ToQString(text);
  if (TextOf(control.kind, *control.widget) != new_text) {
    SetTextOf(control.kind, *control.widget, new_text);
    changed_since_pause_.emplace_back(control.widget);
  }
  SetAccessibleName(*control.widget, accessible_name);
  return true;
}

std::optional<std::string> QtPlatform::ControlText(int id) {
  const auto found = controls_.find(id);
  if (found == controls_.end()) return std::nullopt;
  return TextOf(found->second.kind, *found->second.widget).toStdString();
}

int QtPlatform::LogicalPixelsPerInch() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  // Qt counts in device-independent pixels; their inch is the screen's logical inch.
  return screen != nullptr ? qRound(screen->logicalDotsPerInchY()) : 96;
}

FontHandle QtPlatform::CreateLogicalFont(const FontRequest& request) {
  QFont font(InstalledFamilyOr(request.face));
  font.setStyleHint(QFont::SansSerif);
  // Qt's pixel size is the characters' height without the leading.
  font.setPixelSize(request.character_height);
  font.setWeight(static_cast<QFont::Weight>(request.weight));
  fonts_.push_back(font);
  return fonts_.size();
}

void QtPlatform::SetControlFont(int id, FontHandle font) {
  const auto found = controls_.find(id);
  if (found == controls_.end() || font == 0 || font > fonts_.size()) return;
  QWidget* widget = found->second.widget;
  if (widget->font() == fonts_[font - 1]) return;
  widget->setFont(fonts_[font - 1]);
  changed_since_pause_.emplace_back(widget);
}

void QtPlatform::ShowMessageBox(std::string_view text, std::string_view caption) {
  std::erase_if(message_boxes_, [](const QPointer<QMessageBox>& box) { return box.isNull(); });
  // No owner and not modal: the game window goes on taking turns while the box is open.
  auto* box = new QMessageBox(QMessageBox::NoIcon, ToQString(caption), ToQString(text),
                              QMessageBox::Ok, nullptr);
  box->setTextFormat(Qt::PlainText);
  box->setWindowModality(Qt::NonModal);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->show();
  message_boxes_.emplace_back(box);
}

int QtPlatform::OpenMessageBoxes() { return static_cast<int>(MessageBoxes().size()); }

void QtPlatform::Pause(int milliseconds) {
  // Paint what changed now: the pause holds the thread, so nothing else would paint it before the
  // turn ends. Input is not read here; it waits in the queue and is handled after the turn.
  for (const QPointer<QWidget>& widget : changed_since_pause_) {
    if (!widget.isNull() && widget->isVisible()) widget->repaint();
  }
  changed_since_pause_.clear();
  sleeper_(milliseconds);
}

WindowHandle QtPlatform::FocusedControl() {
  if (!window_) return 0;
  const QWidget* focused = window_->focusWidget();
  for (const auto& [id, control] : controls_) {
    if (control.widget == focused) return ControlHandle(id);
  }
  return 0;
}

void QtPlatform::Announce(std::string_view news) {
  if (news_ != nullptr) news_->Tell(ToQString(news));
}

void QtPlatform::SetFocus(WindowHandle control) {
  const int id = ControlIdOfHandle(control);
  if (id == 0) return;
  const auto found = controls_.find(id);
  if (found != controls_.end()) found->second.widget->setFocus(Qt::ActiveWindowFocusReason);
}

int QtPlatform::RunUntilEnded(const WindowEventHandler& handler) {
  if (!window_) return 0;
  handler_ = handler;
  Deliver({.kind = WindowEvent::Kind::kInitialise});
  if (!ended_) window_->show();
  // Only EndWindow ends the window: should anything else stop the loop (a quit request), it
  // simply starts again.
  while (!ended_) {
    QEventLoop loop;
    loop_ = &loop;
    loop.exec();
    loop_ = nullptr;
  }
  const int result = end_result_;
  handler_ = nullptr;
  DestroyWindow();
  return result;
}

void QtPlatform::EndWindow(int result) {
  if (ended_) return;
  ended_ = true;
  end_result_ = result;
  if (loop_ != nullptr) loop_->exit();
}

QWidget* QtPlatform::MainWindow() const { return window_.get(); }

QWidget* QtPlatform::Control(int id) const {
  const auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : found->second.widget;
}

std::vector<QMessageBox*> QtPlatform::MessageBoxes() const {
  std::vector<QMessageBox*> open;
  for (const QPointer<QMessageBox>& box : message_boxes_) {
    // A closed box is hidden at once and deleted later, when the event loop comes round to it.
    if (!box.isNull() && box->isVisible()) open.push_back(box.data());
  }
  return open;
}

void QtPlatform::Deliver(const WindowEvent& event) {
  if (!handler_) return;
  waiting_.push_back(event);
  if (delivering_) return;
  delivering_ = true;
  while (!waiting_.empty() && handler_ && !ended_) {
    const WindowEvent next = waiting_.front();
    waiting_.pop_front();
    handler_(next);
  }
  waiting_.clear();  // what came after the end of the window is not the game's any more
  delivering_ = false;
  // The event loop paints what the handler changed after its last pause; the next pause need not.
  changed_since_pause_.clear();
}

void QtPlatform::DestroyWindow() {
  // The boxes have no owner, so they would outlive the window; the game ends with its window.
  for (const QPointer<QMessageBox>& box : message_boxes_) delete box.data();
  message_boxes_.clear();
  controls_.clear();
  changed_since_pause_.clear();
  fonts_.clear();
  waiting_.clear();
  news_ = nullptr;
  window_.reset();
  ended_ = false;
  end_result_ = 0;
}

}  // namespace townwright::qt
