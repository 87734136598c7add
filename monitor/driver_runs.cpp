#include "monitor/driver_runs.h"

#include "config_store/ryx_command_file.h"

namespace monitor {

DriverRuns::DriverRuns(platform::ToolRunner& runner, std::string programFolder, Window& window)
    : runner_(runner), programFolder_(std::move(programFolder)), window_(window) {}

void DriverRuns::Submit(MonitorCommand command) {
  if (Busy()) {
    queued_.push_back(command);
    // An exit does not wait for a run that may never end: the run is ended and
    // the rest of the sequence dropped.
    if (command == MonitorCommand::Exit) runner_.StopRuns();
    return;
  }
  Perform(command);
}

void DriverRuns::Perform(MonitorCommand command) {
  // The whole command counts as one sequence: what is chosen while it runs
  // waits until it is over (an exit never lands in the middle of a suspend).
  Sequence whole(*this);
  window_.Perform(command);
}

DriverRuns::Sequence::Sequence(DriverRuns& runs) : runs_(runs) { ++runs_.depth_; }

DriverRuns::Sequence::~Sequence() {
  if (--runs_.depth_ == 0) runs_.Drain();
}

void DriverRuns::Drain() {
  while (!queued_.empty() && depth_ == 0) {
    MonitorCommand next = queued_.front();
    queued_.pop_front();
    Perform(next);
  }
}

void DriverRuns::Run(const std::string& options) {
  const std::string line = config_store::ryx::ToolCommandLine(programFolder_, options);
  const platform::RunEnd end = runner_.Run(line);
  if (end == platform::RunEnd::OverLimit) window_.RunOverLimit(line);
  if (end == platform::RunEnd::NotStarted && !toolNotStartedSaid_) {
    toolNotStartedSaid_ = true;
    window_.ToolNotStarted(line);
  }
}

void DriverRuns::ResetRyxDefaults() {
  Sequence sequence(*this);
  // A suspend wants the whole reset; an exit wants none of the rest.
  if (ExitRequested()) return;
  Run("--set-defaults");
  for (int slot = 1; slot <= 5; ++slot) {
    if (ExitRequested()) return;
    Run("--reset-sensitivity-curve " + std::to_string(slot));
  }
}

bool DriverRuns::ExitRequested() const {
  for (MonitorCommand c : queued_)
    if (c == MonitorCommand::Exit) return true;
  return false;
}

bool DriverRuns::Replay(const std::vector<std::string>& lines) {
  Sequence sequence(*this);
  for (const std::string& line : lines) {
    if (StopRequested()) return false;
    Run(line);
  }
  return !StopRequested();
}

bool DriverRuns::StopRequested() const {
  // A suspend resets the driver once the runs stop, and an exit ends the
  // program. The editor and the updater suspend without a reset: stopping
  // for them would hand over a driver with half the game's settings.
  for (MonitorCommand c : queued_)
    if (c == MonitorCommand::SuspendToggle || c == MonitorCommand::Exit) return true;
  return false;
}

bool DriverRuns::LeavingActive() const {
  for (MonitorCommand c : queued_)
    if (c != MonitorCommand::EmulatorToggle) return true;
  return false;
}

}  // namespace monitor
