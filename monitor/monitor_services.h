// What the monitor's logic needs of the world: a clock to wait on, a process
// runner, and the mouse emulator's window. The window supplies the real ones;
// the tests supply their own, to drive the logic step by step.
#pragma once

#include "platform/process/run_and_wait.h"

#include <functional>
#include <string>

class QEventLoop;

namespace monitor {

class Clock {
 public:
  virtual ~Clock() = default;
  // Waits `ms` milliseconds while the window keeps handling its events.
  virtual void Sleep(int ms) = 0;
  // The current time of day as the log shows it.
  virtual std::string TimeText() = 0;
};

class Runner {
 public:
  virtual ~Runner() = default;
  // Starts a command line hidden; waits for it unless `NoWait`. The exit code, or 0.
  virtual int RunAndWait(const std::string& CommandLine, bool NoWait) = 0;
  // The program is ending: the awaited run going on ends at once (its program
  // is ended) and later ones start nothing.
  virtual void StopRuns() {}
};

class Emulator {
 public:
  virtual ~Emulator() = default;
  // Asks a running Pointerly to close; does not wait for it.
  virtual void ClosePointerly() = 0;
  // True while a Pointerly window can be reached.
  virtual bool Running() = 0;
};

// The real ones.
class QtClock : public Clock {
 public:
  void Sleep(int ms) override;
  std::string TimeText() override;
  // Ends a Sleep in progress early (a command that ends the wait).
  void Wake();

 private:
  QEventLoop* loop_ = nullptr;
  bool woken_ = false;
};

// Awaited runs are ended past a generous limit, so that one hung run does not
// stop the monitor for good.
class ProcessRunner : public Runner {
 public:
  int RunAndWait(const std::string& CommandLine, bool NoWait) override;
  void StopRuns() override { stop_.Stop(); }

  int limitMs = platform::kRunLimitMs;
  // Called every kWaitCheckMs while an awaited run lasts (a run that lasts is
  // where a hung tool would keep a quit request from being seen).
  std::function<void()> whileWaiting;
  static constexpr int kWaitCheckMs = 250;
  // Told of every run ended for outlasting the limit.
  std::function<void(const std::string& CommandLine)> overLimit;

 private:
  platform::RunStop stop_;
};

class PointerlyWindow : public Emulator {
 public:
  void ClosePointerly() override;
  bool Running() override;
};

// The command line of one Ryxcontrol run: the tool of `programFolder`, quoted,
// and the option line.
std::string RyxCommandLine(const std::string& programFolder, const std::string& options);

}  // namespace monitor
