#include "monitor/pointerly_ini.h"

#include "config_store/scg_values.h"
#include "platform/file_system.h"
#include "platform/profile.h"
#include "platform/text.h"

#include <optional>

namespace monitor {

// MOTION_ALIAS_X and _Y name an axis only as a whole number 0 to 5.
static std::optional<int> PointerAxis(const std::string& value) {
  auto n = platform::ParseWholeNumber(value);
  if (n && *n >= 0 && *n <= 5) return static_cast<int>(*n);
  return std::nullopt;
}

using config_store::Quoted;

bool WritePointerlyIni(const std::string& path, const ActivationValues& v) {
  std::string text = platform::ReadFileBytes(path).value_or("");
  auto set = [&](const char* section, const std::string& key, const std::string& value) {
    text = platform::SetProfileValue(text, section, key, value);
  };
  for (int k = 0; k < 6; ++k) set("DEADZONE", "DEADZONE_" + std::to_string(k), v.Deadzone[k]);
  for (int k = 0; k < 6; ++k) {
    set("MOTIONS", "MOTION_" + std::to_string(k) + "_POS", Quoted(v.Bindings.MotionPos[k].SendEvent));
    set("MOTIONS", "MOTION_" + std::to_string(k) + "_NEG", Quoted(v.Bindings.MotionNeg[k].SendEvent));
  }
  // X before Y, so an axis named by both moves the pointer vertically.
  if (auto x = PointerAxis(v.MotionAliasX)) {
    set("MOTIONS", "MOTION_" + std::to_string(*x) + "_POS", Quoted("X"));
    set("MOTIONS", "MOTION_" + std::to_string(*x) + "_NEG", Quoted("X"));
  }
  if (auto y = PointerAxis(v.MotionAliasY)) {
    set("MOTIONS", "MOTION_" + std::to_string(*y) + "_POS", Quoted("Y"));
    set("MOTIONS", "MOTION_" + std::to_string(*y) + "_NEG", Quoted("Y"));
  }
  for (int n = 0; n < 16; ++n) set("BUTTONS", "BUTTON_" + std::to_string(n), Quoted(v.Bindings.ButtonAlias[n].SendEvent));
  return platform::WriteFileAtomic(path, text);
}

bool NeedsPointerly(const ActivationValues& v) {
  bool useKeys = config_store::IsTrueNoCase(platform::Trim(v.UseKeys));
  if (auto number = platform::ParseDecimal(v.UseKeys)) useKeys = useKeys || *number != 0;
  return useKeys || PointerAxis(v.MotionAliasX) || PointerAxis(v.MotionAliasY);
}

}  // namespace monitor
