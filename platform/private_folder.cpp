#include "platform/private_folder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

static std::string EnvFolder(const char* variable) {
  const char* value = std::getenv(variable);
  if (!value || !*value) return "";
  std::string folder = value;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

std::optional<std::string> PrivateFolder(const std::string& name, std::string& whyNot) {
  std::string folder;
  std::string runtime = EnvFolder("XDG_RUNTIME_DIR");
  if (!runtime.empty()) {
    folder = runtime + "/" + name;
  } else {
    std::string temp = EnvFolder("TEMP");
    if (temp.empty()) temp = EnvFolder("TMPDIR");
    if (temp.empty()) temp = "/tmp";
    folder = temp + "/" + name + "-" + std::to_string(::getuid());
  }
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    whyNot = "Cannot create " + folder + ": " + std::strerror(errno);
    return std::nullopt;
  }
  struct stat info {};
  // lstat: a link planted in the folder's place is refused, not followed.
  if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    whyNot = folder + " is not a folder.";
    return std::nullopt;
  }
  if (info.st_uid != ::getuid()) {
    whyNot = folder + " belongs to another account.";
    return std::nullopt;
  }
  if ((info.st_mode & 077) != 0 && ::chmod(folder.c_str(), 0700) != 0) {
    whyNot = "Cannot make " + folder + " private: " + std::strerror(errno);
    return std::nullopt;
  }
  return folder;
}

}  // namespace platform
