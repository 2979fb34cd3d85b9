// townwright: the game in a Qt window on the desktop.

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <memory>

#include "data/random_source.h"
#include "platform/qt/desktop_session.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/window_icon.xpm"
#include "shell/startup.h"

int main(int argc, char** argv) {
  // Before the toolkit first uses the bus, which it does while the first controls are made.
  townwright::qt::LeaveOutASilentSessionBus();
  // The game takes no command line: Qt sees the program's name alone, so not even its own options
  // (-platform, -style, ...) are taken from what the player typed.
  char fallback_name[] = "townwright";
  char* qt_argv[] = {argc > 0 && argv[0] != nullptr ? argv[0] : fallback_name, nullptr};
  int qt_argc = 1;
  auto display_opening = std::make_unique<townwright::qt::DisplayOpening>();
  QApplication application(qt_argc, qt_argv);
  display_opening.reset();
  QApplication::setDesktopFileName(QStringLiteral("io.github.townwright.Townwright"));
  QApplication::setWindowIcon(QIcon(QPixmap(kWindowIconXpm)));
  // The window's life is RunUntilEnded's; closing the last message box must not end the game.
  QApplication::setQuitOnLastWindowClosed(false);

  townwright::qt::QtPlatform platform;
  // The status is 0 however the window was ended, 1 if it could not be made.
  return townwright::RunTownwright(platform, townwright::SeedFromTimeOfDay());
}
