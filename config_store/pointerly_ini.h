// pointerly.ini, the mouse emulator's settings for the game being played: each
// axis's dead zone, what each direction of each axis and each button sends ("X"
// or "Y" for an axis that moves the pointer). Watchpost writes it at every
// activation; Pointerly reads it once at its start.
#pragma once

#include <array>
#include <string>

namespace config_store {

inline constexpr int kPointerlyAxes = 6;
inline constexpr int kPointerlyButtons = 16;

// The 34 values of the file, indexed from 0 as their keys number them.
struct PointerlySettings {
  std::array<std::string, kPointerlyAxes> Deadzone;   // [DEADZONE] DEADZONE_k
  std::array<std::string, kPointerlyAxes> MotionPos;  // [MOTIONS] MOTION_k_POS
  std::array<std::string, kPointerlyAxes> MotionNeg;  // [MOTIONS] MOTION_k_NEG
  std::array<std::string, kPointerlyButtons> Button;  // [BUTTONS] BUTTON_n
  bool operator==(const PointerlySettings&) const = default;
};

// The file's text with all 34 keys set (bindings in double quotes, dead zones as
// they stand); every other byte of `text` is kept. Written to an empty text the
// keys stand in the order above.
std::string SetPointerlySettings(std::string text, const PointerlySettings& settings);

// Replaces the file with its text and the settings in one atomic write, so the
// emulator never reads half of it; false when it could not be written.
bool WritePointerlyIni(const std::string& path, const PointerlySettings& settings);

// Each value as the profile functions read it; "ERROR" for a missing key.
PointerlySettings ParsePointerlySettings(const std::string& text);

// The same from the file; a file that cannot be read has every key missing.
PointerlySettings ReadPointerlyIni(const std::string& path);

}  // namespace config_store
