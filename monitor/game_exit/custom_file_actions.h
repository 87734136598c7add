// The CUSTOM verbs that edit the game's text files line by line. Each takes
// its verb's argument table (fields below, 1-based) and returns true on
// success, false after logging "Error <errno> <words> <field 3>".
//   DELETE  1 file, 2 verb, 3 text, 4 mode ("0" prefix, "1" whole trimmed line, "2" anywhere), 5 ALWAYS
//   MODIFY  1 file, 2 verb, 3 pattern (one optional "%"), 4 new line, 5 ALWAYS
//   APPEND  1 file, 2 verb, 3 line, 4 ALWAYS
//   REPLACE 1 file, 2 verb, 3 text to find, 4 replacement, 5 ALWAYS
// Comparisons ignore letter case. A row not flagged ALWAYS does nothing while
// the folder is already configured. DELETE, MODIFY and REPLACE on a missing
// file (or a path that names none in the game folder) do nothing and succeed.
// Files keep their line end style; every rewrite replaces the file atomically.
#pragma once

#include "monitor/game_exit/custom_context.h"

namespace game_exit {

bool ExecDelete(const ActionArgs& DeleteArgs, const CustomContext& context);
bool ExecModify(const ActionArgs& ModifyArgs, const CustomContext& context);
bool ExecAppend(const ActionArgs& AppendArgs, const CustomContext& context);
bool ExecReplace(const ActionArgs& ReplaceArgs, const CustomContext& context);

}  // namespace game_exit
