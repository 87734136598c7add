// The real clock, process runner and emulator window behind the monitor's
// logic: Qt's event loop, hidden runs of programs, Pointerly's window message.
#pragma once

#include "monitor/monitor_services.h"
#include "platform/process/run_and_wait.h"

#include <QObject>
#include <string>

class QEventLoop;

namespace monitor {

class QtClock : public Clock {
 public:
  void Sleep(int ms) override;
  // Ends a Sleep in progress early (a command that ends the wait).
  void Wake();

 private:
  QEventLoop* loop_ = nullptr;
  bool woken_ = false;
};

// Awaited runs are ended past a generous limit, so that one hung run does not
// stop the monitor for good (the run then ends OverLimit).
class ProcessRunner : public QObject, public Runner {
  Q_OBJECT
 public:
  platform::RunEnd RunAndWait(const std::string& CommandLine, bool NoWait) override;
  void StopRuns() override { stop_.Stop(); }

  int limitMs = platform::kRunLimitMs;
  static constexpr int kWaitCheckMs = 250;

 signals:
  // Every kWaitCheckMs while an awaited run lasts (a run that lasts is where a
  // hung tool would keep a quit request from being seen).
  void stillWaiting();

 private:
  platform::RunStop stop_;
};

class PointerlyWindow : public Emulator {
 public:
  void ClosePointerly() override;
  bool Running() override;
};

// The current time of day in the system's format, without a time zone.
std::string TimeOfDayText();

}  // namespace monitor
