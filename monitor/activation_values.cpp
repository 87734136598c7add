#include "monitor/activation_values.h"

#include "config_store/scg_document.h"
#include "config_store/scg_values.h"
#include "config_store/vector_parsers.h"
#include "platform/text.h"

namespace monitor {

using platform::EqualsNoCase;

ActivationRead ReadActivationValues(const std::string& scgFile) {
  // One read of the file answers every key.
  const config_store::ScgDocument doc =
      config_store::ScgDocument::Load(scgFile).value_or(config_store::ScgDocument(std::string()));
  auto read = [&](const char* section, const std::string& key) { return doc.ReadIni(section, key); };
  // A binding's three fields, all empty when the value is missing or malformed.
  auto binding = [&](const std::string& key) {
    return config_store::SplitTriple(read("TUNING", key), config_store::MissingList::Empty);
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
  if (config_store::IsTrueNoCase(v.UseButtons))
    for (int n = 0; n < 16; ++n) v.Bindings.ButtonAlias[n] = binding("BUTTON_" + std::to_string(n) + "_USER");

  v.UsePrecision = read("TUNING", "USE_PRECISION_USER");
  if (config_store::IsTrueNoCase(v.UsePrecision)) {
    v.PrecisionSens = read("TUNING", "PRECISION_SENS_USER");
    v.PrecisionGain = read("TUNING", "PRECISION_GAIN_USER");
    v.PrecisionMode = read("TUNING", "PRECISION_MODE_USER");
    v.PrecisionButton = read("TUNING", "PRECISION_BUTTON_USER");
  }
  v.NullRegion = read("TUNING", "NULL_REGION_USER");

  // The tuning vectors, each of a fixed length; a malformed one ends the monitor.
  std::string axisMap = read("HELIRYX", "AXIS_MAP_USER");
  auto axes = config_store::AxisMapEntries(axisMap);
  // An entry that names no axis 0..5 would point past the polarity vector.
  for (int k = 0; axes && k < 6; ++k)
    if ((*axes)[k] > 5) axes.reset();
  if (!axes) {
    result.vectorError = "Axis Map Error" + std::to_string(axisMap.size());
    return result;
  }
  for (int k = 0; k < 6; ++k) v.AxisMap[k] = (*axes)[k] + 1;
  std::string polarity = read("HELIRYX", "POLARITY_USER");
  auto signs = config_store::PolarityEntries(polarity);
  if (!signs) {
    result.vectorError = "Polarity Map Error" + std::to_string(polarity.size());
    return result;
  }
  for (int k = 0; k < 6; ++k) v.Polarity[k] = (*signs)[k];
  std::string gain = read("HELIRYX", "GAIN_" + v.SkillCode + "_USER");
  auto gains = config_store::GainEntries(gain, config_store::GainDigits::Leading);
  if (!gains) {
    result.vectorError = "Gain Map Error" + std::to_string(gain.size());
    return result;
  }
  for (int k = 0; k < 7; ++k) v.Gain[k] = std::to_string((*gains)[k]);
  std::string sens = read("HELIRYX", "SENS_" + v.SkillCode + "_USER");
  auto sensitivities = config_store::SensitivityEntries(sens);
  if (!sensitivities) {
    result.vectorError = "Sensitivity Map Error" + std::to_string(sens.size());
    return result;
  }
  for (int k = 0; k < 7; ++k) v.Sens[k] = (*sensitivities)[k];
  for (int k = 0; k < 6; ++k) v.Curve[k] = read("HELIRYX", "CURVE_" + std::to_string(k) + "_USER");

  for (int k = 0; k < 6; ++k) {
    std::string n = std::to_string(k);
    v.Deadzone[k] = read("POINTERLY", "DEADZONE_" + n + "_USER");
    v.Bindings.MotionPos[k] = binding("MOTION_ALIAS_" + n + "_POS_USER");
    v.Bindings.MotionNeg[k] = binding("MOTION_ALIAS_" + n + "_NEG_USER");
  }
  v.MotionAliasX = read("TUNING", "MOTION_ALIAS_X");
  v.MotionAliasY = read("TUNING", "MOTION_ALIAS_Y");
  return result;
}

}  // namespace monitor
