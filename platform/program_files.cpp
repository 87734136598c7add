#include "platform/program_files.h"

#include "platform/text.h"

#include <climits>
#include <unistd.h>

namespace platform {

static std::string SelfPath() {
  char buffer[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return ".";
  return std::string(buffer, static_cast<size_t>(n));
}

std::string ProgramFolder() {
  std::string self = SelfPath();
  size_t slash = self.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : self.substr(0, slash);
}

std::string ProgramFileName() {
  std::string self = SelfPath();
  return self.substr(self.rfind('/') + 1);
}

std::string ProgramFile(const std::string& windowsName) {
  std::string name = ToLower(windowsName);
  if (name.size() > 4 && name.compare(name.size() - 4, 4, ".exe") == 0) name.resize(name.size() - 4);
  return name;
}

std::string ProgramPath(const std::string& windowsName) { return ProgramFolder() + "/" + ProgramFile(windowsName); }

}  // namespace platform
