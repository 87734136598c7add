// Watchpost's command line: the switches, in the order the words are given.
#pragma once

#include <string>
#include <vector>

namespace monitor {

// The polling tick's pace without -r, and while suspended.
inline constexpr int kDefaultRefreshMs = 1000;
inline constexpr int kSuspendedRefreshMs = 2500;

struct MonitorSwitches {
  enum class Outcome { Run, Kill, Usage } outcome = Outcome::Run;
  bool debugMode = false;
  bool skipOsCheck = false;
  int refreshInterval = kDefaultRefreshMs;  // milliseconds
};

// The whole command text, split at every blank (two blanks give an empty word).
MonitorSwitches ParseMonitorSwitches(const std::string& commandText);

// The command text of a program's arguments, as Windows would hand it over.
std::string CommandText(const std::vector<std::string>& args);

}  // namespace monitor
