// The watch list: which executables the monitor looks for among the running
// processes, and which configuration file each belongs to.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace monitor {

struct WatchEntry {
  std::string scgFile;  // the configuration's file name, no folder
  std::string exeName;  // one executable file name, no folder
};
using WatchTable = std::vector<WatchEntry>;

// The executables of one EXECUTABLE value as the profile reader returns it
// (one enclosing pair of quotes already removed).
std::vector<std::string> SplitExecutableList(const std::string& raw);

// Every visible version-6.1 configuration of `scgFolder` with an EXECUTABLE;
// `log` receives one line per entry ("file - executable") and one per file
// skipped for its size (config_store::kScgFileSizeLimit).
WatchTable BuildWatchList(const std::string& scgFolder, const std::function<void(const std::string&)>& log);

}  // namespace monitor
