// The emulator's bindings and dead zones, taken from pointerly.ini once at start.
#pragma once

#include "config_store/pointerly_ini.h"
#include "emulator/emulator_state.h"
#include "emulator/key_table.h"

#include <cstdint>
#include <string>

namespace emulator {

// The program folder's pointerly.ini.
std::string EmulatorIniPath();

// An action as the emulator takes it: the value when it is exactly "X" or "Y"
// or a name of the table (any case, kept as written); "" for anything else.
std::string ActionFromText(const std::string& value, const KeyTable& table);

// The dead zone a text gives: the number rounded to a whole number (halves to
// even); `previous` when the text is no number or does not fit 16 bits; 2000
// when the number lies outside 0..6000.
int16_t DeadzoneFromText(const std::string& text, int16_t previous);

// Fills the bindings and dead zones of `state` from the settings: buttons UP
// with their actions, each axis's dead zone and its two actions.
void ApplyEmulatorSettings(const config_store::PointerlySettings& settings, const KeyTable& table,
                           EmulatorState& state);

// The same from the file; a file that cannot be read binds nothing.
void LoadEmulatorSettings(const std::string& iniFile, const KeyTable& table, EmulatorState& state);

}  // namespace emulator
