// Values written into a Wine prefix's registry, for a Windows game that runs
// under Wine and reads its settings there. The prefix's own `wine reg` does the
// writing, since a running wineserver rewrites the prefix's .reg files from
// memory and would undo any direct edit.
#pragma once

#include "platform/registry.h"

#include <cstdint>
#include <string>

namespace platform::wine {

// The Wine program on PATH ("wine", else "wine64"); empty when Wine is not installed.
std::string FindWineProgram();

struct PrefixWrite {
  bool ok = false;
  std::string problem;  // a line for the log when not ok
};

// Sets one value under HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER of the prefix;
// an empty name sets the key's default value. Refused when the prefix holds no
// user.reg (wine would silently create a whole new prefix there). Text is
// Windows-1252 bytes.
PrefixWrite SetPrefixString(const std::string& prefix, RegistryRoot root, const std::string& subkey,
                            const std::string& name, const std::string& data);
PrefixWrite SetPrefixDword(const std::string& prefix, RegistryRoot root, const std::string& subkey,
                           const std::string& name, uint32_t data);

}  // namespace platform::wine
