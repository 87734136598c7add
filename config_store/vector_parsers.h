// The fixed-width tuning vectors of [HELIRYX]: axis map, polarities, gains and
// sensitivities per skill level. Only the length is checked; entries are taken
// from fixed character positions.
#pragma once

#include "config_store/game_config.h"

#include <array>
#include <optional>
#include <string>

namespace config_store {

inline constexpr std::size_t kAxisMapLength = 15;
inline constexpr std::size_t kPolarityLength = 15;
inline constexpr std::size_t kGainLength = 37;
inline constexpr std::size_t kSensitivityLength = 17;

// The entries of a vector that has its exact length; empty when the length is
// wrong or a number entry holds something else than digits.
std::optional<std::array<int, 6>> AxisMapEntries(const std::string& text);  // 0..9 each
std::optional<std::array<std::string, 6>> PolarityEntries(const std::string& text);
// The editor refuses a gain entry that is not digits; the monitor reads its
// leading digits, blanks skipped ("0x5" is 0).
enum class GainDigits { Strict, Leading };
std::optional<std::array<int, 7>> GainEntries(const std::string& text, GainDigits digits = GainDigits::Strict);
std::optional<std::array<std::string, 7>> SensitivityEntries(const std::string& text);

// `Kind` exactly "DFLT" fills the DFLT halves, any other text the USER halves.
// False (nothing stored) when the vector is malformed.
bool ParseAxisMap(const std::string& Text, const std::string& Kind, TGameConfig& config);
bool ParsePolarity(const std::string& Text, const std::string& Kind, TGameConfig& config);
bool ParseGain(const std::string& Text, const std::string& Kind, int Level, TGameConfig& config);
bool ParseSensitivity(const std::string& Text, const std::string& Kind, int Level, TGameConfig& config);

// Gains as the file writes them: at least three digits ("5" is "005").
std::string PadGain(const std::string& gain);

}  // namespace config_store
