// What the monitor's logic needs of the world besides its own window
// (monitor_window.h): a clock to wait on, a process runner, and the mouse
// emulator's window. The window supplies the real ones (real_services.h);
// the tests supply their own, to drive the logic step by step.
//
// A service the logic calls is an interface like these, with its contract
// written on it; what a Qt object tells its owner is a Qt signal; dialogs go
// through platform::MsgBox.
#pragma once

#include "platform/process/run_and_wait.h"

#include <string>

namespace monitor {

class Clock {
 public:
  virtual ~Clock() = default;
  // Waits `ms` milliseconds while the window keeps handling its events.
  virtual void Sleep(int ms) = 0;
};

class Runner {
 public:
  virtual ~Runner() = default;
  // Starts a command line hidden and, unless `NoWait`, waits for it; says how
  // the run ended (a run not awaited is Finished). The monitor has no use for
  // the exit code.
  virtual platform::RunEnd RunAndWait(const std::string& CommandLine, bool NoWait) = 0;
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

}  // namespace monitor
