// Writing the record to a .scg file in the full layout, as one whole file that
// replaces the target atomically.
#pragma once

#include "config_store/game_config.h"

#include <string>

namespace config_store {

struct SaveContext {
  std::string ProgramFolder;             // Linux folder of the programs (curve paths, snapshot)
  std::string ProgramName = "tunedeck";  // named in the file's second line
  std::string Time;                      // empty: the current time and date
  std::string Date;
  bool TakeSnapshot = true;  // write before.scg after a good save
};

struct SaveResult {
  bool ok = false;
  std::string error;  // what failed; the target is then untouched
};

// The file's bytes for the record, its lists and the instructions text.
std::string BuildScgText(const TGameConfig& config, const ConfigLists& lists, const std::string& instructions,
                         const SaveContext& context);

// Writes the file: built in memory, written to a temporary file beside the
// target, flushed and renamed over it. A target without write permission is
// refused. On failure the target is as it was and no temporary file is left. After a good save, before.scg is the
// record.
SaveResult SaveChanges(const std::string& path, const TGameConfig& config, const ConfigLists& lists,
                       const std::string& instructions, const SaveContext& context);

}  // namespace config_store
