// What every CUSTOM action works with: its row as an argument table, the game
// folder, whether this configuration revision was already applied there, and
// the monitor's log.
#pragma once

#include "monitor/game_exit/path_helpers.h"

#include <string>
#include <vector>

namespace game_exit {

// One row as its verb's argument table. Fields are numbered from 1, as the
// configuration's rows number them; a field beyond the row reads empty.
struct ActionArgs {
  std::vector<std::string> fields;

  const std::string& Field(size_t k) const {
    static const std::string empty;
    return k >= 1 && k <= fields.size() ? fields[k - 1] : empty;
  }
};

struct CustomContext {
  GameFolder game;
  // True when the marker file shows this configuration revision was applied:
  // only rows flagged ALWAYS run then.
  bool AlreadyConfigured = false;
  bool DebugMode = false;
  monitor::Log& log;  // the monitor's log list
  // For a game under Wine (its prefix is the game folder's): the loader that
  // ran it and its Wine variables, which registry writes into the prefix use.
  std::string WineLoader = {};
  std::vector<std::string> WineEnvironment = {};

  void AddLog(const std::string& line) const { log.Line(line); }
};

// Why a path of a row names no file: a climb past the drive's root, or a path
// refused for leaving the game folder's tree. Logged as such.
inline constexpr int kRefusedPathError = 13;  // as a denied access (EACCES)

}  // namespace game_exit
