// The real clock and emulator window behind the monitor's logic: Qt's event
// loop and Pointerly's window message (the real tool runner is
// platform::ProcessRunner).
#pragma once

#include "monitor/monitor_services.h"
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

class PointerlyWindow : public Emulator {
 public:
  void ClosePointerly() override;
  bool Running() override;
};

// The current time of day in the system's format, without a time zone.
std::string TimeOfDayText();

}  // namespace monitor
