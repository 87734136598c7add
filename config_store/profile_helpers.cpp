#include "config_store/profile_helpers.h"

#include "config_store/scg_values.h"
#include "platform/profile.h"

namespace config_store {

std::string ReadIni(const std::string& file, const std::string& section, const std::string& key) {
  return platform::GetProfileString(section, key, kError, file);
}

std::string ReadConfigValue(const std::string& section, const std::string& key, const std::string& defaultValue,
                            const std::string& file) {
  std::string value = ReadIni(file, section, key);
  if (value == kError && !defaultValue.empty()) return defaultValue;
  return value;
}

void WriteIni(const std::string& file, const std::string& section, const std::string& key, const std::string& value) {
  platform::WriteProfileString(section, key, value, file);
}

void SaveRegString(platform::RegistryRoot root, const std::string& keyPath, const std::string& name,
                   const std::string& data) {
  platform::Registry::SetString(root, keyPath, name, data);
}

bool ReadCheckAttached() {
  (void)platform::Registry::Query(platform::RegistryRoot::LocalMachine, kKelvaneKey, "CheckAttached");
  return true;
}

}  // namespace config_store
