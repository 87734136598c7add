#include "config_store/pointerly_ini.h"

#include "config_store/profile_helpers.h"
#include "config_store/scg_values.h"
#include "platform/file_system.h"
#include "platform/profile.h"

namespace config_store {
namespace {

std::string DeadzoneKey(int k) { return "DEADZONE_" + std::to_string(k); }
std::string MotionKey(int k, const char* side) { return "MOTION_" + std::to_string(k) + side; }
std::string ButtonKey(int n) { return "BUTTON_" + std::to_string(n); }

}  // namespace

std::string SetPointerlySettings(std::string text, const PointerlySettings& s) {
  auto set = [&text](const char* section, const std::string& key, const std::string& value) {
    text = platform::SetProfileValue(text, section, key, value);
  };
  for (int k = 0; k < kPointerlyAxes; ++k) set("DEADZONE", DeadzoneKey(k), s.Deadzone[k]);
  for (int k = 0; k < kPointerlyAxes; ++k) {
    set("MOTIONS", MotionKey(k, "_POS"), Quoted(s.MotionPos[k]));
    set("MOTIONS", MotionKey(k, "_NEG"), Quoted(s.MotionNeg[k]));
  }
  for (int n = 0; n < kPointerlyButtons; ++n) set("BUTTONS", ButtonKey(n), Quoted(s.Button[n]));
  return text;
}

bool WritePointerlyIni(const std::string& path, const PointerlySettings& settings) {
  return platform::WriteFileAtomic(path, SetPointerlySettings(platform::ReadFileBytes(path).value_or(""), settings));
}

PointerlySettings ParsePointerlySettings(const std::string& text) {
  const platform::ProfileIndex index(text);
  auto get = [&index](const char* section, const std::string& key) {
    return index.Find(section, key).value_or(kError);
  };
  PointerlySettings s;
  for (int k = 0; k < kPointerlyAxes; ++k) {
    s.Deadzone[k] = get("DEADZONE", DeadzoneKey(k));
    s.MotionPos[k] = get("MOTIONS", MotionKey(k, "_POS"));
    s.MotionNeg[k] = get("MOTIONS", MotionKey(k, "_NEG"));
  }
  for (int n = 0; n < kPointerlyButtons; ++n) s.Button[n] = get("BUTTONS", ButtonKey(n));
  return s;
}

PointerlySettings ReadPointerlyIni(const std::string& path) {
  return ParsePointerlySettings(platform::ReadFileBytes(path).value_or(""));
}

}  // namespace config_store
