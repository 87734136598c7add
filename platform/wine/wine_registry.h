// Values written into a Wine prefix's registry, for a Windows game that runs
// under Wine and reads its settings there. The game's own Wine does the writing
// (`wine reg`), with the game's own Wine variables, so the value reaches the
// wineserver that serves the prefix: a running wineserver rewrites the prefix's
// .reg files from memory and would undo a direct edit, and a second server for
// the same prefix (another TMPDIR) would lose the value to the first.
#pragma once

#include "platform/registry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform::wine {

// How a game ran under Wine, as the process table saw it.
struct GameWine {
  std::string prefix;
  std::string loader;                    // the loader that ran it; PATH's Wine when that is gone
  std::vector<std::string> environment;  // its Wine variables ("NAME=value"); empty: unknown, ours
};

// The Wine program on PATH ("wine", else "wine64"); empty when there is none.
std::string FindWineProgram();

struct PrefixWrite {
  bool ok = false;
  std::string problem;  // a line for the log when not ok
};

// Sets one value under HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER of the game's
// prefix, then reads it back through the same Wine, so success means the
// prefix's wineserver holds it. An empty name sets the key's default value.
// Refused when the prefix holds no user.reg (wine would silently create a whole
// new prefix there). Text is Windows-1252 bytes. While Wine runs, the Qt event
// loop goes on; a quit of the application ends the wait (not ok).
PrefixWrite SetPrefixString(const GameWine& game, RegistryRoot root, const std::string& subkey, const std::string& name,
                            const std::string& data);
PrefixWrite SetPrefixDword(const GameWine& game, RegistryRoot root, const std::string& subkey, const std::string& name,
                           uint32_t data);

}  // namespace platform::wine
