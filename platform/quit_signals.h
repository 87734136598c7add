// How a program is told to stop from outside: SIGTERM, SIGINT and SIGHUP are turned
// into a call on the window thread, so they end the program through the same
// path as its own Exit.
#pragma once

#include <QObject>
#include <memory>

class QSocketNotifier;

namespace platform {

// While one exists, SIGTERM, SIGINT and SIGHUP (unless ignored) emit `quit` from the event loop instead
// of killing the process; the previous handlers come back when it goes. One at
// a time.
class QuitSignals : public QObject {
  Q_OBJECT
 public:
  explicit QuitSignals(QObject* parent = nullptr);
  ~QuitSignals() override;
  // The signal that emitted `quit` last (0 before any).
  int LastSignal() const { return lastSignal_; }

 signals:
  void quit();

 private:
  std::unique_ptr<QSocketNotifier> notifier_;
  int lastSignal_ = 0;
};

}  // namespace platform
