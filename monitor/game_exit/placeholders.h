// Placeholders in CUSTOM fields that stand for the player's current bindings.
// Each is four bytes: a marker, a two-character number and a closing character
// that goes with it. The markers are Windows-1252 bytes, as the configuration
// file holds them:
//   '^'  (0x5E) button 0..15   -> its GameCommand
//   0xA7 (section sign) button 0..15 -> its GameInput; empty GameInput empties the field
//   0xA5 (yen sign)  axis -5..5 -> GameCommand of that axis direction
//   0xA3 (pound sign) axis -5..5 -> GameInput of that direction; empty empties the field
// An axis number whose first character is '-' is the negative direction ("-0"
// included). Two characters that are no whole number count as out of range.
#pragma once

#include "monitor/game_exit/bindings.h"

#include <string>

namespace game_exit {

inline constexpr char kButtonCommandMarker = '^';
inline constexpr char kButtonInputMarker = '\xA7';
inline constexpr char kAxisCommandMarker = '\xA5';
inline constexpr char kAxisInputMarker = '\xA3';

// Replacements per field are bounded, so a binding that holds its own
// placeholder cannot loop for ever.
inline constexpr int kMaxPlaceholderPasses = 100;

// The field with its placeholders filled in; no side effects.
std::string CheckForJoy(const std::string& strJoyCheck, const GameBindings& bindings);

}  // namespace game_exit
