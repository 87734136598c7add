#include "platform/os_version.h"

#include <cstdlib>
#include <cstring>
#include <sys/utsname.h>

namespace platform {

static std::function<OsVersionInfo()>& Source() {
  static std::function<OsVersionInfo()> source;
  return source;
}

void SetOsVersionSourceForTesting(std::function<OsVersionInfo()> source) { Source() = std::move(source); }

OsVersionInfo QueryOsVersion() {
  if (Source()) return Source()();
  OsVersionInfo info;
  struct utsname u {};
  if (::uname(&u) == 0) {
    info.name = std::string(u.sysname) + " " + u.release;
    info.major = std::atoi(u.release);
    const char* dot = std::strchr(u.release, '.');
    info.minor = dot ? std::atoi(dot + 1) : 0;
  }
  return info;
}

}  // namespace platform
