#include "common_ui/windows_version.h"

#include "platform/dialogs.h"

namespace common_ui {

WindowsVersionName NameWindowsVersion(const platform::OsVersionInfo& info) {
  if (info.platformId == 1) {
    if (info.minor == 0) return {"Windows 95"};
    if (info.minor == 10) return {"Windows 98"};
    if (info.minor == 90) return {"Windows Mellinnium", true};
    return {""};
  }
  if (info.platformId == 2) {
    if (info.major == 3) return {"Windows NT 3.51"};
    if (info.major == 4) return {"Windows NT 4.0"};
    if (info.major == 5) return {info.minor == 0 ? "Windows 2000" : "Windows XP"};
    return {""};
  }
  return {"Failed"};
}

WindowsVersionName GetWindowsVersion(bool skipOsCheck) {
  if (skipOsCheck) return {"Windows 2000"};
  WindowsVersionName version = NameWindowsVersion(platform::QueryOsVersion());
  if (version.refused)
    platform::MsgBox("This program was designed to run on Windows 2000 / XP.", platform::MsgButtons::Ok,
                     platform::MsgIcon::Critical, "OS Version Error - " + version.name);
  return version;
}

}  // namespace common_ui
