// The simulated controller driver: what the real driver would hold after the
// options it was given. Kept as a small text file beside the tool.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace ryxcontrol {

struct AxisState {
  int position = 0;  // where the device axis is assigned
  char polarity = '+';
  int sensitivity = 3;
  int gain = 45;
};

struct DriverState {
  std::array<AxisState, 6> axes{};
  std::array<std::string, 6> curves{};  // uploaded curve file per slot, "" = default curve
  std::optional<int> masterSensitivity;
  std::optional<int> masterGain;
  int nullRegion = 0;
  bool chording = false;
  std::string precisionMode;  // "", "physical" or "logical"
  int precisionButton = 0;
  std::optional<int> precisionSensitivity;
  std::optional<int> precisionGain;

  static DriverState Defaults();
};

std::string FormatState(const DriverState& state);
// Unknown or malformed lines keep their defaults.
DriverState ParseState(const std::string& text);

// The text of a curve file: the default curve, or what an upload stored.
std::string DefaultCurveText();

}  // namespace ryxcontrol
