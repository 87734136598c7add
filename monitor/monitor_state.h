// The monitor's state its window owns and the tick, the activation and the
// commands share: the switches, the folders, the mode and the watch list.
#pragma once

#include "monitor/monitor_switches.h"
#include "monitor/watch_list.h"

#include <string>

namespace monitor {

struct MonitorState {
  int RefreshInterval = kDefaultRefreshMs;  // the tick's pace while active
  bool DebugMode = false;
  bool SkipOsCheck = false;
  std::string ScgFolder;       // ends with "/"
  std::string MonitorIniFile;  // the mailbox; empty until the start-up has written it
  std::string CurrentMode;     // "ACTIVE", "SUSPEND", or empty once ending
  WatchTable WatchList;
};

}  // namespace monitor
