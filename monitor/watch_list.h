// The watch list: which executables the monitor looks for among the running
// processes, and which configuration file each belongs to.
#pragma once

#include "monitor/log.h"

#include <bitset>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace monitor {

struct WatchEntry {
  std::string scgFile;  // the configuration's file name, no folder
  std::string exeName;  // one executable file name, no folder
  bool operator==(const WatchEntry&) const = default;
};
using WatchTable = std::vector<WatchEntry>;

// The watch list by executable name, compared without regard to case: each
// name leads to its first entry in the list.
class WatchIndex {
 public:
  explicit WatchIndex(const WatchTable& list = {});
  // Null when no entry names `exeName`.
  const WatchEntry* Find(std::string_view exeName) const;

 private:
  struct NoCaseHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const;
  };
  struct NoCaseEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  std::unordered_map<std::string, WatchEntry, NoCaseHash, NoCaseEqual> byName_;
  // Most names asked for are not watched: their length or first letter tells at once.
  std::bitset<65> lengths_;        // 64: any longer name
  std::bitset<256> firstLetters_;  // folded as the hash folds them
};

// The executables of one EXECUTABLE value as the profile reader returns it
// (one enclosing pair of quotes already removed).
std::vector<std::string> SplitExecutableList(const std::string& raw);

// Every visible version-6.1 configuration of `scgFolder` with an EXECUTABLE;
// `log` takes one line per entry ("file - executable") and one per file
// skipped for its size (config_store::kScgFileSizeLimit).
WatchTable BuildWatchList(const std::string& scgFolder, Log& log);

}  // namespace monitor
