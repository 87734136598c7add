#include "platform/version_stamp.h"

#include "platform/file_system.h"

#include <cstdio>

#ifndef HELIRYX_VERSION_MAJOR
#define HELIRYX_VERSION_MAJOR 5
#define HELIRYX_VERSION_MINOR 1
#define HELIRYX_VERSION_REVISION 0
#endif

#define HELIRYX_STR2(x) #x
#define HELIRYX_STR(x) HELIRYX_STR2(x)

namespace platform {

// Kept in a section of its own; "used" keeps it even though nothing reads it.
__attribute__((section(".heliryx_version"), used)) static const char kStamp[] = "HELIRYX-VERSION:" HELIRYX_STR(
    HELIRYX_VERSION_MAJOR) "." HELIRYX_STR(HELIRYX_VERSION_MINOR) ".0." HELIRYX_STR(HELIRYX_VERSION_REVISION) ";";

FileVersionInfo OwnVersion() { return {HELIRYX_VERSION_MAJOR, HELIRYX_VERSION_MINOR, 0, HELIRYX_VERSION_REVISION}; }

std::optional<FileVersionInfo> ReadFileVersion(const std::string& path) {
  auto bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  const std::string marker = "HELIRYX-VERSION:";
  // The marker text itself also stands in the reading code: take the first
  // occurrence that is followed by a version.
  for (size_t at = bytes->find(marker); at != std::string::npos; at = bytes->find(marker, at + 1)) {
    FileVersionInfo v;
    std::string tail = bytes->substr(at + marker.size(), 40);
    char end = 0;
    if (std::sscanf(tail.c_str(), "%d.%d.%d.%d%c", &v.major, &v.minor, &v.build, &v.revision, &end) == 5 && end == ';')
      return v;
  }
  return std::nullopt;
}

}  // namespace platform
