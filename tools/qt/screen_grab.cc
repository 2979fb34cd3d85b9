// Saves a rectangle of the screen as a PNG: townwright_screen_grab FILE X Y WIDTH HEIGHT. Used by
// the screenshot script on its own X server, where it sees the game's window and its frame.

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: %s FILE X Y WIDTH HEIGHT\n", argv[0]);
    return 2;
  }
  char* qt_argv[] = {argv[0], nullptr};
  int qt_argc = 1;
  QGuiApplication application(qt_argc, qt_argv);
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return 1;
  const QPixmap picture = screen->grabWindow(0, std::atoi(argv[2]), std::atoi(argv[3]),
                                             std::atoi(argv[4]), std::atoi(argv[5]));
  return !picture.isNull() && picture.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
