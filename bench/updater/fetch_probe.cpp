// One download through the updater's own Download and WaitForFinish, in a
// process of its own so that its peak memory is the updater's alone.
// Prints: seconds, bytes, peak resident kB.
#include "updater/updater.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <sys/resource.h>
#include <sys/stat.h>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s BASE FILE FOLDER\n", argv[0]);
    return 2;
  }
  updater::HostLookup connection;
  updater::UpdaterSettings settings;
  settings.tempFolder = argv[3];
  settings.updateServer = argv[1];
  updater::Updater u(settings, connection);
  u.CountProgress(1);  // the progress text is worked out per piece, as in a real run
  QElapsedTimer clock;
  clock.start();
  updater::QueuedFile file{.kind = updater::FileKind::Program, .name = argv[2]};
  updater::PlaceFile(file, {std::string(argv[3]) + "/", ""});
  u.Download(file);
  u.WaitForFinish();
  double seconds = clock.nsecsElapsed() / 1e9;
  struct stat info {};
  std::string target = std::string(argv[3]) + "/" + argv[2];
  long long bytes = ::stat(target.c_str(), &info) == 0 ? info.st_size : -1;
  struct rusage usage {};
  ::getrusage(RUSAGE_SELF, &usage);
  std::printf("%.4f %lld %ld\n", seconds, bytes, usage.ru_maxrss);
  return u.RunFailed() ? 1 : 0;
}
