// The one look at the operating system's version: names it in Windows terms and
// refuses only Windows Me.
#pragma once

#include "platform/os_version.h"

#include <functional>
#include <string>

namespace common_ui {

struct WindowsVersionName {
  std::string name;  // "Windows 2000", "Failed" for neither family, "" for unlisted versions
  bool refused = false;
};

WindowsVersionName NameWindowsVersion(const platform::OsVersionInfo& info);

// The version's name; on the refused version shows the refusal box and calls
// `endProgram` (which normally does not return). The editor passes its skip switch.
std::string GetWindowsVersion(bool skipOsCheck = false,
                              const std::function<void()>& endProgram = {});

}  // namespace common_ui
