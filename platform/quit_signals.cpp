#include "platform/quit_signals.h"

#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

int gPipe[2] = {-1, -1};
struct sigaction gPreviousTerm, gPreviousInt;

void OnSignal(int) {
  char byte = 1;
  ssize_t ignored = ::write(gPipe[1], &byte, 1);
  (void)ignored;
}

}  // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
  if (::pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(gPipe[0], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
    char buffer[16];
    while (::read(gPipe[0], buffer, sizeof buffer) > 0) {
    }
    if (onQuit) onQuit();
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &action, &gPreviousTerm);
  ::sigaction(SIGINT, &action, &gPreviousInt);
}

QuitSignals::~QuitSignals() {
  if (!notifier_) return;
  ::sigaction(SIGTERM, &gPreviousTerm, nullptr);
  ::sigaction(SIGINT, &gPreviousInt, nullptr);
  notifier_.reset();
  ::close(gPipe[0]);
  ::close(gPipe[1]);
  gPipe[0] = gPipe[1] = -1;
}

}  // namespace platform
