// The one way the programs run a tool such as the controller's command-line
// tool: a service with its contract here, the real runner beside it, and in
// tests a fake (testing/fake_runner.h) that records the command lines.
#pragma once

#include "platform/process/run_and_wait.h"

#include <QObject>
#include <string>

namespace platform {

class ToolRunner {
 public:
  virtual ~ToolRunner() = default;
  // Runs a command line hidden and waits for its end; says how the run ended
  // (its exit code matters to no caller). Once the runs are stopped it starts
  // nothing and says Stopped.
  virtual RunEnd Run(const std::string& commandLine) = 0;
  // Starts a command line hidden without waiting for it: Finished, or
  // NotStarted when it could not be started. Stopping does not concern it.
  virtual RunEnd Start(const std::string& commandLine) = 0;
  // The caller is leaving: the awaited run going on ends at once (its program
  // is ended) and every later Run starts nothing.
  virtual void StopRuns() = 0;
};

// Awaited runs are ended past a limit, so that one hung run does not stop the
// caller for good (the run then ends OverLimit).
class ProcessRunner : public QObject, public ToolRunner {
  Q_OBJECT
 public:
  explicit ProcessRunner(int limitMs = kRunLimitMs) : limitMs_(limitMs) {}

  RunEnd Run(const std::string& commandLine) override;
  RunEnd Start(const std::string& commandLine) override;
  void StopRuns() override { stop_.Stop(); }

  int LimitMs() const { return limitMs_; }
  void SetLimitMs(int limitMs) { limitMs_ = limitMs; }

  static constexpr int kWaitCheckMs = 250;

 signals:
  // Every kWaitCheckMs while an awaited run lasts (a run that lasts is where a
  // hung tool would keep its caller from seeing a request to quit).
  void stillWaiting();

 private:
  int limitMs_;
  RunStop stop_;
};

}  // namespace platform
