#include "platform/wine/wine_drives.h"

#include "platform/file_system.h"
#include "platform/text.h"
#include "platform/win_path.h"

#include <cctype>
#include <filesystem>

namespace platform {
namespace {

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string JoinLinux(const std::string& folder, const std::string& name) {
  return (folder == "/" ? std::string() : folder) + "/" + name;
}

}  // namespace

bool IsWindowsDrivePath(const std::string& path) {
  return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
         (path[2] == '\\' || path[2] == '/');
}

std::string WinePathToLinux(const std::string& prefix, const std::string& windowsPath) {
  if (!IsWindowsDrivePath(windowsPath)) return {};
  std::string dosdevices = WithoutTrailingSlashes(prefix) + "/dosdevices";
  std::string drive = dosdevices + "/" + ToLower(windowsPath.substr(0, 2));
  std::string target = ReadLink(drive);
  if (target.empty()) return {};
  if (target[0] != '/') target = dosdevices + "/" + target;
  // dosdevices is a real folder, so "dosdevices/../drive_c" is "drive_c" of the prefix.
  std::string root = std::filesystem::path(target).lexically_normal().string();
  std::string path = ResolveNoCase(WithoutTrailingSlashes(root), windowsPath.substr(3));
  // A drive at "/" (Z: as Wine sets it up) would otherwise start the path with "//".
  if (path.size() > 1 && path[0] == '/' && path[1] == '/') path.erase(0, 1);
  return path;
}

std::string LaidOutDriveFolder(const std::string& prefix, const std::string& drive) {
  if (EqualsNoCase(drive, "C:") && !prefix.empty()) return JoinLinux(prefix, "drive_c");
  if (EqualsNoCase(drive, "Z:")) return "/";
  return {};
}

std::string WindowsFormOf(const std::string& prefix, const std::string& linuxFolder) {
  std::string driveC = LaidOutDriveFolder(prefix, "C:");
  std::string drive = "Z:";
  std::string rest = linuxFolder == "/" ? std::string() : linuxFolder;
  if (!driveC.empty() && (linuxFolder == driveC || linuxFolder.rfind(driveC + "/", 0) == 0)) {
    drive = "C:";
    rest = linuxFolder.substr(driveC.size());
  }
  for (char& c : rest)
    if (c == '/') c = '\\';
  return drive + rest;
}

}  // namespace platform
