// The CUSTOM verbs that set one value each (fields 1-based):
//   INI      1 INI file, 2 verb, 3 section, 4 key, 5 value, 6 ALWAYS
//   REGISTRY 1 type ("STRING" or "DWORD"), 2 verb, 3 key ("HKLM\..." or "HKCU\..."),
//            4 value name, 5 data, 6 ALWAYS
// A row not flagged ALWAYS does nothing while the folder is already configured.
// INI creates the file and its folders when missing and keeps the file's line
// end style. REGISTRY writes where the game reads: the Wine prefix's registry
// for a game that ran under Wine (through the game's own Wine and its Wine
// variables), else our registry store. A value that could
// not be written fails the action; it then logs "Error <n> changing INI <file>"
// or "Error <n> changing registry ". A REGISTRY row of another type or root
// fails without a log line.
#pragma once

#include "monitor/game_exit/custom_context.h"
#include "platform/registry.h"

#include <cstdint>

namespace game_exit {

bool ExecIni(const ActionArgs& IniArgs, const CustomContext& context);
bool ExecRegistry(const ActionArgs& RegistryArgs, const CustomContext& context);

// Sets a REG_DWORD value (the four bytes of `data`) in our registry store,
// creating the key when needed; false when the store could not be written.
bool SaveRegLong(platform::RegistryRoot root, const std::string& subkey, const std::string& name, int32_t data);

}  // namespace game_exit
