// What the monitor's logic (the activation, the game-exit step) asks of the
// monitor's window. The window is the real one; tests record the calls.
#pragma once

#include <string>

namespace monitor {

inline const std::string kMonitorTitle = "Heliryx 360 Monitor";

class MonitorWindow {
 public:
  virtual ~MonitorWindow() = default;
  // Appends one line to the log (lstDebugWindow).
  virtual void Log(const std::string& line) = 0;
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
