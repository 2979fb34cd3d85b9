#include "platform/qt/news_notification.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace townwright::qt {
namespace {

class NotificationAccessible final : public QAccessibleWidget {
 public:
  explicit NotificationAccessible(NewsNotification* notification)
      : QAccessibleWidget(notification, QAccessible::Notification) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name) return static_cast<NewsNotification*>(widget())->news();
    return QAccessibleWidget::text(kind);
  }
};

// Asked for every object's accessible interface; the notification's alone is ours.
QAccessibleInterface* MakeNotificationAccessible(const QString& /*class_name*/, QObject* object) {
  auto* notification = dynamic_cast<NewsNotification*>(object);
  return notification != nullptr ? new NotificationAccessible(notification) : nullptr;
}

}  // namespace

NewsNotification::NewsNotification(QWidget* window) : QWidget(window) {
  static const bool installed = [] {
    QAccessible::installFactory(&MakeNotificationAccessible);
    return true;
  }();
  static_cast<void>(installed);
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setGeometry(0, 0, 0, 0);
  hide();
}

void NewsNotification::Tell(const QString& news) {
  // Shown again, a screen reader hears it again: hidden first, then named and shown.
  hide();
  news_ = news;
  show();
}

}  // namespace townwright::qt
