// What the monitor's logic needs of the world besides its own window
// (monitor_window.h): a clock to wait on, the tool runner
// (platform::ToolRunner), and the mouse emulator's window. The window supplies
// the real ones (real_services.h); the tests supply their own, to drive the
// logic step by step.
//
// A service the logic calls is an interface like these, with its contract
// written on it; what a Qt object tells its owner is a Qt signal; dialogs go
// through platform::MsgBox.
#pragma once

#include <string>

namespace monitor {

class Clock {
 public:
  virtual ~Clock() = default;
  // Waits `ms` milliseconds while the window keeps handling its events.
  virtual void Sleep(int ms) = 0;
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
