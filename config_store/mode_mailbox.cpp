#include "config_store/mode_mailbox.h"

#include "config_store/profile_helpers.h"
#include "platform/file_system.h"
#include "platform/profile.h"

namespace config_store {

bool MonitorIniExists(const std::string& programFolder) { return platform::FileExists(MonitorIniPath(programFolder)); }

std::string ReadModeFile(const std::string& monitorIni) { return ReadIni(monitorIni, "APPLICATION", "MODE"); }

int WriteModeFile(const std::string& monitorIni, const std::string& value) {
  return platform::TryWriteProfileString("APPLICATION", "MODE", value, monitorIni);
}

bool WriteModeIfPresent(const std::string& programFolder, const std::string& value) {
  if (!MonitorIniExists(programFolder)) return false;
  WriteModeFile(MonitorIniPath(programFolder), value);
  return true;
}

bool ReplaceMode(const std::string& programFolder, const std::string& from, const std::string& to) {
  return platform::ReplaceProfileString("APPLICATION", "MODE", from, to, kError, MonitorIniPath(programFolder));
}

}  // namespace config_store
