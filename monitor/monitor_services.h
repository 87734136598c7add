// What the monitor's logic needs of the world besides its own window
// (monitor_window.h): a clock to wait on, a process runner, and the mouse
// emulator's window. The window supplies the real ones (real_services.h);
// the tests supply their own, to drive the logic step by step.
#pragma once

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

}  // namespace monitor
