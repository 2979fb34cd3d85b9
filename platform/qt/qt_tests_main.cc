// The Qt tests on the offscreen platform: no display is needed.

#include <QApplication>

#include "platform/qt/qt_tests.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  int failures = 0;
  failures += townwright::qt::RunDialogUnitsTests(argc, argv);
  failures += townwright::qt::RunQtPlatformTests(argc, argv);
  return failures == 0 ? 0 : 1;
}
