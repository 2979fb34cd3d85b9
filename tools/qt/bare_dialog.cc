// The baseline of the start-up and memory measurements: an empty Qt 6 dialog, built with the same
// flags and started the same way as townwright, and nothing else. Built a second time with
// TOWNWRIGHT_BARE_DIALOG_TEXT, it shows one line of text, which is what loading fonts costs.

#include <QApplication>
#include <QDialog>
#include <QLabel>

int main(int argc, char** argv) {
  char fallback_name[] = "townwright_bare_dialog";
  char* qt_argv[] = {argc > 0 && argv[0] != nullptr ? argv[0] : fallback_name, nullptr};
  int qt_argc = 1;
  QApplication application(qt_argc, qt_argv);
  QDialog dialog;
  dialog.setWindowTitle(QStringLiteral("Bare dialog"));
#ifdef TOWNWRIGHT_BARE_DIALOG_TEXT
  QLabel text(QStringLiteral("Bare dialog"), &dialog);
#endif
  dialog.show();
  return application.exec();
}
