// The CUSTOM block of a configuration: one action per row, run in order when
// the game ends. A row is three to six fields in double quotes separated by a
// backslash and a comma; field 2 is the verb (DELETE, MODIFY, APPEND, REPLACE,
// INI, REGISTRY, any letter case; rows with another verb are ignored). Chosen
// fields get the player's bindings through CheckForJoy first. The first action
// that fails ends the run with its verb's error number; earlier rows' changes
// stay.
#pragma once

#include "monitor/game_exit/bindings.h"
#include "monitor/game_exit/custom_context.h"

#include <optional>
#include <string>
#include <vector>

namespace game_exit {

inline constexpr int kDeleteError = 999;
inline constexpr int kModifyError = 888;
inline constexpr int kAppendError = 777;
inline constexpr int kReplaceError = 555;
inline constexpr int kIniRegistryError = 444;

struct CustomRun {
  // False when the block ended at an empty line, or could not be found or read:
  // the run counts as incomplete.
  bool complete = true;
  int errorNumber = 0;  // the failing action's number; 0 when none failed
};

// Reads the block of the configuration file and runs its rows. The block is the
// one after the first line that begins with "CUSTOM"; it ends at its closing
// line "   }" or at the end of the file (complete), or at an empty line
// (incomplete). A row the verb's table cannot hold is logged and skipped.
CustomRun ReadCustom(const std::string& ActiveScgFile, const CustomContext& context, const GameBindings& bindings);

}  // namespace game_exit
