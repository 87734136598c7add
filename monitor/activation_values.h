// What the activation reads of a watched game's configuration: only the
// player's values (the _USER keys) and the identification it needs. The values
// stay until the next activation; the game-exit step reads some of them.
#pragma once

#include "monitor/active_game.h"
#include "monitor/game_exit/bindings.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace monitor {

using game_exit::ActionTriple;

struct ActivationValues {
  // Identification.
  std::string FileRevision;
  std::string AppName;
  std::string SkillCode;  // "BEG", "INT" or "EXP"
  std::string Orientation;
  // Switches.
  std::string CopyFiles, CommandLine, Custom, UseMaster, UseChording, UseKeys, UseButtons;
  std::string UsePrecision, PrecisionSens, PrecisionGain, PrecisionMode, PrecisionButton;
  std::string NullRegion;
  // Bindings (ButtonAlias all empty unless USE_BUTTONS is TRUE).
  game_exit::GameBindings Bindings;
  // Tuning vectors of [HELIRYX].
  std::array<int, 6> AxisMap{};         // the axis digit + 1, so 1..6
  std::array<std::string, 6> Polarity;  // one character each
  std::array<std::string, 7> Gain;      // decimal text without leading zeros; 7th is the master
  std::array<std::string, 7> Sens;      // one character each
  std::array<std::string, 6> Curve;     // a curve file path or empty
  // The mouse emulator's values.
  std::array<std::string, 6> Deadzone;
  std::string MotionAliasX, MotionAliasY;
};

struct ActivationRead {
  ActivationValues values;
  // The text of the critical box when a tuning vector is malformed ("Axis Map
  // Error" and the length found, ...): the monitor then ends.
  std::optional<std::string> vectorError;
};

// Reads the configuration file `scgFile` (a missing key reads as "ERROR").
ActivationRead ReadActivationValues(const std::string& scgFile);

}  // namespace monitor
