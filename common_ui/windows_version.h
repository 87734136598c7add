// The one look at the operating system's version: names it in Windows terms and
// refuses only Windows Me.
#pragma once

#include "platform/os_version.h"

#include <string>

namespace common_ui {

struct WindowsVersionName {
  std::string name;  // "Windows 2000", "Failed" for neither family, "" for unlisted versions
  bool refused = false;
};

WindowsVersionName NameWindowsVersion(const platform::OsVersionInfo& info);

// The version's name, and whether it is refused: then the refusal box has been
// shown and the caller ends the program. The editor passes its skip switch.
WindowsVersionName GetWindowsVersion(bool skipOsCheck = false);

}  // namespace common_ui
