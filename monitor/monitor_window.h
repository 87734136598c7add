// What the monitor's logic (the activation, the game-exit step) asks of the
// monitor's window besides its log. The window is the real one; tests record
// the calls.
#pragma once

#include "monitor/log.h"

#include <string>

namespace monitor {

inline const std::string kMonitorTitle = "Heliryx 360 Monitor";

// The window is also the log (lstDebugWindow).
class MonitorWindow : public Log {
 public:
  // Selects the last line, or the line before last, so the list scrolls to it.
  virtual void SelectLastLine() = 0;
  virtual void SelectLineBeforeLast() = 0;
  // The notification icon's tip.
  virtual void SetTip(const std::string& tip) = 0;
  // The critical box titled with the program's title, then the unload step.
  virtual void Fatal(const std::string& text) = 0;
  // The current time of day as the log shows it.
  virtual std::string TimeText() = 0;
};

}  // namespace monitor
