#include "monitor/pointerly_ini.h"

#include "config_store/scg_values.h"
#include "platform/text.h"

#include <optional>

namespace monitor {

// MOTION_ALIAS_X and _Y name an axis only as a whole number 0 to 5.
static std::optional<int> PointerAxis(const std::string& value) {
  auto n = platform::ParseWholeNumber(value);
  if (n && *n >= 0 && *n <= 5) return static_cast<int>(*n);
  return std::nullopt;
}

config_store::PointerlySettings PointerlySettingsFor(const ActivationValues& v) {
  config_store::PointerlySettings s;
  s.Deadzone = v.Deadzone;
  for (int k = 0; k < config_store::kPointerlyAxes; ++k) {
    s.MotionPos[k] = v.Bindings.MotionPos[k].SendEvent;
    s.MotionNeg[k] = v.Bindings.MotionNeg[k].SendEvent;
  }
  // X before Y, so an axis named by both moves the pointer vertically.
  if (auto x = PointerAxis(v.MotionAliasX)) s.MotionPos[*x] = s.MotionNeg[*x] = "X";
  if (auto y = PointerAxis(v.MotionAliasY)) s.MotionPos[*y] = s.MotionNeg[*y] = "Y";
  for (int n = 0; n < config_store::kPointerlyButtons; ++n) s.Button[n] = v.Bindings.ButtonAlias[n].SendEvent;
  return s;
}

bool NeedsPointerly(const ActivationValues& v) {
  bool useKeys = config_store::IsTrueNoCase(platform::Trim(v.UseKeys));
  if (auto number = platform::ParseDecimal(v.UseKeys)) useKeys = useKeys || *number != 0;
  return useKeys || PointerAxis(v.MotionAliasX) || PointerAxis(v.MotionAliasY);
}

}  // namespace monitor
