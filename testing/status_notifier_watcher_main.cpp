// status_notifier_watcher: the stand-in watcher (status_notifier_watcher.h) as
// a program. Writes "ready" once it holds the name, then "registered SERVICE"
// for each item; ends on SIGTERM or when the bus goes.
#include "testing/status_notifier_watcher.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  testing_support::StatusNotifierWatcher watcher;
  if (!watcher.Claimed()) {
    std::fprintf(stderr, "status_notifier_watcher: no session bus, or the name is taken\n");
    return 1;
  }
  std::printf("ready\n");
  std::fflush(stdout);
  return app.exec();
}
