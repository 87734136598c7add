#include "platform/quit_signals.h"

#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <iterator>
#include <unistd.h>

namespace platform {

namespace {

int gPipe[2] = {-1, -1};
// SIGHUP too: a closed terminal or an ended session must not leave keys held.
constexpr int kQuitSignals[] = {SIGTERM, SIGINT, SIGHUP};
struct sigaction gPrevious[std::size(kQuitSignals)];
bool gInstalled[std::size(kQuitSignals)];

void OnSignal(int signalNumber) {
  char byte = static_cast<char>(signalNumber);
  ssize_t ignored = ::write(gPipe[1], &byte, 1);
  (void)ignored;
}

}  // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
  if (::pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(gPipe[0], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
    char buffer[16];
    for (ssize_t n; (n = ::read(gPipe[0], buffer, sizeof buffer)) > 0;) lastSignal_ = buffer[n - 1];
    emit quit();
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (size_t i = 0; i < std::size(kQuitSignals); ++i) {
    gInstalled[i] = false;
    if (::sigaction(kQuitSignals[i], nullptr, &gPrevious[i]) != 0) continue;
    // A program started under nohup keeps ignoring hang-ups.
    if (kQuitSignals[i] == SIGHUP && gPrevious[i].sa_handler == SIG_IGN) continue;
    gInstalled[i] = ::sigaction(kQuitSignals[i], &action, nullptr) == 0;
  }
}

QuitSignals::~QuitSignals() {
  if (!notifier_) return;
  for (size_t i = 0; i < std::size(kQuitSignals); ++i)
    if (gInstalled[i]) ::sigaction(kQuitSignals[i], &gPrevious[i], nullptr);
  notifier_.reset();
  ::close(gPipe[0]);
  ::close(gPipe[1]);
  gPipe[0] = gPipe[1] = -1;
}

}  // namespace platform
