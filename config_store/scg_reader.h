// Loading a .scg file into the editor's record: every key and block, the
// vectors, the version check, and the corrections the editor makes while it
// shows a configuration, so the record after a load is the same with or
// without a window.
#pragma once

#include "config_store/block_readers.h"
#include "config_store/game_config.h"

#include <string>

namespace config_store {

struct ScgReadResult {
  // The reason the editor locks ("AXIS_MAP_DFLT= length error", "VERSION=6.0");
  // empty after a complete load. A locked load stops where it failed: the record
  // keeps what was read on top of the previous values and must not be saved.
  LockText lock;
  // With `Upgrading`: the error of the save that ends the load, if it failed.
  std::string saveError;
  bool Loaded() const { return !lock && saveError.empty(); }
};

// Loads `Path` (a full path) into `session`, whose CurrentConfigFile it becomes. Normal load: on success
// LoadingControls is False, SkillLevel and PrecisionButtonBase follow the file,
// and before.scg is written in the program folder. `Upgrading`: the record is
// written straight back to `Path` instead, LoadingControls stays True.
ScgReadResult ReadSCG(const std::string& Path, bool Upgrading, ConfigSession& session);

// True when VERSION is exactly "6.1" and APPLICATION_NUMBER "5.1"; else the lock
// text ("VERSION=" or "APPLICATION_NUMBER=" and the value read).
bool CheckScgVersion(const TGameConfig& config, LockText& lock);

}  // namespace config_store
