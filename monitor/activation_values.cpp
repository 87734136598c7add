#include "monitor/activation_values.h"

#include "config_store/profile_helpers.h"
#include "platform/text.h"

namespace monitor {

using platform::EqualsNoCase;

void SplitQuotedList(int Count, const std::string& value, std::string& field1, std::string& field2,
                     std::string& field3, int Skip) {
  field1.clear();
  field2.clear();
  field3.clear();
  if (EqualsNoCase(value, "ERROR") || value.find(',') == std::string::npos || value.size() < 8) return;
  std::vector<std::string> parts = platform::SplitOn(value, ',');
  auto part = [&](int k) { return k < static_cast<int>(parts.size()) && k < Count ? platform::Trim(parts[k]) : std::string(); };
  // Field 1 loses `Skip` characters in front and its closing quote; field 2 both
  // quotes; field 3 its opening quote (the reader already took the closing one).
  std::string p1 = part(0), p2 = part(1), p3 = part(2);
  size_t skip = Skip > 0 ? static_cast<size_t>(Skip) : 0;
  if (p1.size() >= skip + 1) field1 = p1.substr(skip, p1.size() - skip - 1);
  if (p2.size() >= 2) field2 = p2.substr(1, p2.size() - 2);
  if (Count >= 3 && p3.size() >= 1) field3 = p3.substr(1);
}

ActionTriple SplitTriple(const std::string& value) {
  ActionTriple t;
  SplitQuotedList(3, value, t.GameInput, t.GameCommand, t.SendEvent, 0);
  return t;
}

namespace {

// A tuning vector's entry read as a whole number the way the tool set always
// has: leading digits, blanks ignored, anything else ends it (so "045" is 45,
// "ab" is 0).
int LeadingNumber(const std::string& text) {
  int value = 0;
  for (char c : text) {
    if (c == ' ') continue;
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

ActivationRead ReadActivationValues(const std::string& scgFile) {
  auto read = [&](const char* section, const std::string& key) {
    return config_store::ReadIni(scgFile, section, key);
  };
  ActivationRead result;
  ActivationValues& v = result.values;

  v.FileRevision = read("VERSION", "FILE_REVISION_NUMBER");
  v.AppName = read("IDENTIFICATION", "APPLICATION_NAME");
  std::string level = read("IDENTIFICATION", "LEVEL");
  v.SkillCode = EqualsNoCase(level, "BEGINNER") ? "BEG" : EqualsNoCase(level, "INTERMEDIATE") ? "INT" : "EXP";
  v.Orientation = read("IDENTIFICATION", "ORIENTATION");

  v.CopyFiles = read("CONFIGURATION", "COPY_FILES");
  v.CommandLine = read("CONFIGURATION", "COMMAND_LINE");
  v.Custom = read("CONFIGURATION", "CUSTOM");
  v.UseMaster = read("CONFIGURATION", "USE_MASTER_USER");
  v.UseChording = read("CONFIGURATION", "USE_CHORDING_USER");
  v.UseKeys = read("CONFIGURATION", "USE_KEYS");
  v.UseButtons = read("TUNING", "USE_BUTTONS");

  // No earlier game's bindings may survive.
  if (EqualsNoCase(v.UseButtons, "TRUE"))
    for (int n = 0; n < 16; ++n) v.Bindings.ButtonAlias[n] = SplitTriple(read("TUNING", "BUTTON_" + std::to_string(n) + "_USER"));

  v.UsePrecision = read("TUNING", "USE_PRECISION_USER");
  if (EqualsNoCase(v.UsePrecision, "TRUE")) {
    v.PrecisionSens = read("TUNING", "PRECISION_SENS_USER");
    v.PrecisionGain = read("TUNING", "PRECISION_GAIN_USER");
    v.PrecisionMode = read("TUNING", "PRECISION_MODE_USER");
    v.PrecisionButton = read("TUNING", "PRECISION_BUTTON_USER");
  }
  v.NullRegion = read("TUNING", "NULL_REGION_USER");

  // The tuning vectors, each of a fixed length; a malformed one ends the monitor.
  std::string axisMap = read("HELIRYX", "AXIS_MAP_USER");
  if (axisMap.size() != 15) {
    result.vectorError = "Axis Map Error" + std::to_string(axisMap.size());
    return result;
  }
  for (int k = 0; k < 6; ++k) {
    char digit = axisMap[2 + 2 * k];
    // An entry that names no axis 0..5 would point past the polarity vector.
    if (digit < '0' || digit > '5') {
      result.vectorError = "Axis Map Error" + std::to_string(axisMap.size());
      return result;
    }
    v.AxisMap[k] = digit - '0' + 1;
  }
  std::string polarity = read("HELIRYX", "POLARITY_USER");
  if (polarity.size() != 15) {
    result.vectorError = "Polarity Map Error" + std::to_string(polarity.size());
    return result;
  }
  for (int k = 0; k < 6; ++k) v.Polarity[k] = polarity.substr(2 + 2 * k, 1);
  std::string gain = read("HELIRYX", "GAIN_" + v.SkillCode + "_USER");
  if (gain.size() != 37) {
    result.vectorError = "Gain Map Error" + std::to_string(gain.size());
    return result;
  }
  for (int k = 0; k < 7; ++k) v.Gain[k] = std::to_string(LeadingNumber(gain.substr(2 + 5 * k, 3)));
  std::string sens = read("HELIRYX", "SENS_" + v.SkillCode + "_USER");
  if (sens.size() != 17) {
    result.vectorError = "Sensitivity Map Error" + std::to_string(sens.size());
    return result;
  }
  for (int k = 0; k < 7; ++k) v.Sens[k] = sens.substr(2 + 2 * k, 1);
  for (int k = 0; k < 6; ++k) v.Curve[k] = read("HELIRYX", "CURVE_" + std::to_string(k) + "_USER");

  for (int k = 0; k < 6; ++k) {
    std::string n = std::to_string(k);
    v.Deadzone[k] = read("POINTERLY", "DEADZONE_" + n + "_USER");
    v.Bindings.MotionPos[k] = SplitTriple(read("TUNING", "MOTION_ALIAS_" + n + "_POS_USER"));
    v.Bindings.MotionNeg[k] = SplitTriple(read("TUNING", "MOTION_ALIAS_" + n + "_NEG_USER"));
  }
  v.MotionAliasX = read("TUNING", "MOTION_ALIAS_X");
  v.MotionAliasY = read("TUNING", "MOTION_ALIAS_Y");
  return result;
}

}  // namespace monitor
