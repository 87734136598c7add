#include "config_store/upgrade.h"

#include "config_store/profile_helpers.h"
#include "config_store/scg_values.h"
#include "platform/file_system.h"
#include "platform/profile.h"

#include <optional>

namespace config_store {
namespace {

// The conversion over the file's text, in the order the keys were always written;
// VERSION comes last so that nothing is marked 6.1 before the rest is in place.
std::string Convert(std::string text) {
  auto set = [&text](const std::string& section, const std::string& key, const std::string& value) {
    text = platform::SetProfileValue(text, section, key, value);
  };
  // An old binding as the profile reader gives it; a missing one (or the stored
  // word ERROR) becomes the button's joystick name.
  auto old = [&text](const std::string& key, const std::string& fallback) {
    std::optional<std::string> value = platform::FindProfileValue(text, "TUNING", key);
    return value && *value != kError ? *value : fallback;
  };
  set("VERSION", "APPLICATION_NUMBER", "5.1");
  set("TUNING", "MOTION_ALIAS_X", "-1");
  set("TUNING", "MOTION_ALIAS_Y", "-1");
  const std::string empty = JoinTriple("", "", "");
  for (const char* half : {"DFLT", "USER"})
    for (int n = 0; n <= 5; ++n) {
      std::string base = "MOTION_ALIAS_" + std::to_string(n);
      set("TUNING", base + "_POS_" + half, empty);
      set("TUNING", base + "_NEG_" + half, empty);
    }
  for (int n = 0; n <= 15; ++n) {
    std::string i = std::to_string(n + 1);
    set("TUNING", "BUTTON_" + std::to_string(n) + "_ALIAS", JoinTriple("JOY" + i, "Joy " + i, ""));
  }
  for (int n = 0; n <= 15; ++n) {
    std::string i = std::to_string(n + 1);
    for (const char* half : {"_DFLT", "_USER"}) {
      std::string key = "BUTTON_" + std::to_string(n) + half;
      set("TUNING", key, JoinTriple("JOY" + i, old(key, "JOY" + i), ""));
    }
  }
  for (int n = 0; n <= 5; ++n) {
    set("POINTERLY", "DEADZONE_" + std::to_string(n) + "_DFLT", "0");
    set("POINTERLY", "DEADZONE_" + std::to_string(n) + "_USER", "0");
  }
  set("VERSION", "VERSION", "6.1");
  return text;
}

}  // namespace

bool Upgrade60to61(const std::string& strSCGLocation, const std::string& strSCGName,
                   const std::function<void(const std::string&)>& status) {
  if (status) status("Upgrading " + strSCGName + "...  Please wait...");
  std::optional<std::string> text = platform::ReadFileBytes(strSCGLocation);
  if (!text || !platform::MayReplaceFile(strSCGLocation)) return false;
  return platform::WriteFileAtomic(strSCGLocation, Convert(std::move(*text)));
}

}  // namespace config_store
