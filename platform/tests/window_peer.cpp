// A program with a window title that others can close: used by the tests of
// the window-message layer. Usage: window_peer <title>
#include "platform/local_endpoint.h"
#include "platform/qt_start.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  platform::PrepareQtPlatform();
  QCoreApplication app(argc, argv);
  platform::WindowMessages window(argv[1]);
  QObject::connect(&window, &platform::WindowMessages::closeRequested, [] {
    std::printf("closed\n");
    std::fflush(stdout);
    QCoreApplication::exit(0);
  });
  if (!window.Listen()) return 3;
  std::printf("listening\n");
  std::fflush(stdout);
  return app.exec();
}
