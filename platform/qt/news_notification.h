#pragma once

// What a press did, for screen readers: an object of the window in the role of a notification,
// with no size, nothing to paint and no focus, shown anew with each news. Orca speaks a
// notification as it shows ("notification January 2, 2008. ..."). The ways that change nothing at
// all do not reach the player on Debian 12: its Qt 6.4 has no announcement event, and it sends a
// control's name and description changes without their texts, which Orca 43 then does not speak.

#include <QString>
#include <QWidget>

namespace townwright::qt {

class NewsNotification final : public QWidget {
 public:
  explicit NewsNotification(QWidget* window);

  // Says `news`: the notification, named by it, shows anew.
  void Tell(const QString& news);
  const QString& news() const { return news_; }

 private:
  QString news_;
};

}  // namespace townwright::qt
