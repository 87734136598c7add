// The running system's version, in the terms of the Windows version record:
// a platform identifier (1 the Windows 95 family, 2 the NT family, anything else
// neither), major and minor version. Linux is neither family.
#pragma once

#include <functional>
#include <string>

namespace platform {

struct OsVersionInfo {
  int platformId = 0;
  int major = 0;
  int minor = 0;
  std::string name;  // the system's own name and release, for logs
};

OsVersionInfo QueryOsVersion();

// Tests replace the answer (to check the refused version); empty restores it.
void SetOsVersionSourceForTesting(std::function<OsVersionInfo()> source);

}  // namespace platform
