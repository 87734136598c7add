// Reading pointerly.ini, the emulator's bindings and dead zones, once at start.
#pragma once

#include "emulator/emulator_state.h"
#include "emulator/key_table.h"

#include <cstdint>
#include <string>

namespace emulator {

// program folder + "/pointerly.ini"
std::string EmulatorIniPath();

// The value, or "ERROR" when the file, section or key is missing.
std::string ReadEmulatorIni(const std::string& iniFile, const std::string& section, const std::string& key);

// The value when it is exactly "X" or "Y" or a name of the table (any case,
// kept as written); "" for anything else.
std::string ReadIniAction(const std::string& iniFile, const KeyTable& table, const std::string& section,
                          const std::string& key);

// The dead zone a text gives: the number rounded to a whole number (halves to
// even); `previous` when the text is no number or does not fit 16 bits; 2000
// when the number lies outside 0..6000.
int16_t DeadzoneFromText(const std::string& text, int16_t previous);

// Fills the bindings and dead zones of `state` from the file: buttons UP with
// their actions, each axis's dead zone and its two actions.
void LoadEmulatorSettings(const std::string& iniFile, const KeyTable& table, EmulatorState& state);

}  // namespace emulator
