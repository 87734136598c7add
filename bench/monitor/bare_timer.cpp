// The floor of the monitor's idle second: a bare Qt program whose 1 s timer
// reads what a 1 Hz watcher must read at least, the last pid given out and the
// mailbox file.
//   bench_bare_timer MAILBOX_FILE
#include <QApplication>
#include <QTimer>

#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

size_t ReadSmall(const char* path) {
  char buffer[4096];
  int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  ssize_t n = ::read(fd, buffer, sizeof buffer);
  ::close(fd);
  return n > 0 ? static_cast<size_t>(n) : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::string mailbox = argv[1];
  QApplication app(argc, argv);
  QTimer timer;
  size_t read = 0;
  QObject::connect(&timer, &QTimer::timeout, [&] { read += ReadSmall("/proc/loadavg") + ReadSmall(mailbox.c_str()); });
  timer.start(1000);
  return app.exec();
}
