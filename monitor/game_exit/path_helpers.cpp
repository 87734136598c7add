#include "monitor/game_exit/path_helpers.h"

#include "platform/file_system.h"
#include "platform/text.h"

#include <cerrno>
#include <sys/stat.h>
#include <vector>

namespace game_exit {
namespace {

const std::string kError = "ERROR";

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

bool HoldsParentStep(const std::string& windowsPath) {
  for (const std::string& part : platform::SplitOn(windowsPath, '\\'))
    if (part == "..") return true;
  return false;
}

// A path that may not leave the game folder's tree except by leading "..\".
bool Refused(const std::string& path) {
  for (unsigned char c : path)
    if (c < 0x20 || c == ':') return true;
  return !path.empty() && path[0] == '\\';
}

// The base without its last folder: all pieces between backslashes but the
// last two, each followed by a backslash ("C:\Games\Foo\" -> "C:\Games\").
std::string ParentOf(const std::string& base) {
  std::vector<std::string> pieces = platform::SplitOn(base, '\\');
  std::string out;
  for (size_t i = 0; i + 2 < pieces.size(); ++i) out += pieces[i] + "\\";
  return out;
}

// A Linux folder path cleaned of empty and "." parts; empty when it holds "..",
// is not absolute, or holds a backslash (no Windows form can name it).
std::string CleanFolder(const std::string& folder) {
  if (folder.empty() || folder[0] != '/' || folder.find('\\') != std::string::npos) return {};
  std::string out;
  for (const std::string& part : platform::SplitOn(folder, '/')) {
    if (part.empty() || part == ".") continue;
    if (part == "..") return {};
    out += "/" + part;
  }
  return out.empty() ? "/" : out;
}

std::string JoinLinux(const std::string& folder, const std::string& name) {
  return (folder == "/" ? std::string() : folder) + "/" + name;
}

}  // namespace

std::string CheckRelativePath(const std::string& varPathUp, const std::string& varCopyUp) {
  std::string path = varCopyUp;
  for (char& c : path)
    if (c == '/') c = '\\';
  if (Refused(path)) return kError;

  if (StartsWith(path, ".\\")) {
    std::string rest = path.substr(1);
    if (HoldsParentStep(rest)) return kError;
    std::string folder = varPathUp;
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder + rest;
  }
  std::string base = varPathUp;
  while (StartsWith(path, "..\\")) {
    path.erase(0, 3);
    base = ParentOf(base);
  }
  if (HoldsParentStep(path) || base.size() < 3) return kError;
  return base + path;
}

std::string GetFileOnly(const std::string& FullPath) {
  size_t at = FullPath.rfind('\\');
  return at == std::string::npos ? FullPath : FullPath.substr(at + 1);
}

std::string GetPathOnly(const std::string& FullPath) {
  size_t at = FullPath.rfind('\\');
  return at == std::string::npos ? std::string() : FullPath.substr(0, at + 1);
}

GameFolder::GameFolder(std::string linuxFolder, std::string winePrefix)
    : linuxFolder_(CleanFolder(linuxFolder)), winePrefix_(winePrefix.empty() ? "" : CleanFolder(winePrefix)) {
  if (linuxFolder_.empty()) return;
  std::string driveC = winePrefix_.empty() ? std::string() : JoinLinux(winePrefix_, "drive_c");
  std::string drive = "Z:";
  std::string rest = linuxFolder_ == "/" ? std::string() : linuxFolder_;
  if (!driveC.empty() && (linuxFolder_ == driveC || StartsWith(linuxFolder_, driveC + "/"))) {
    drive = "C:";
    rest = linuxFolder_.substr(driveC.size());
  }
  for (char& c : rest)
    if (c == '/') c = '\\';
  windowsFolder_ = drive + rest;
}

std::string GameFolder::LinuxPath(const std::string& windowsPath) const {
  std::vector<std::string> pieces = platform::SplitOn(windowsPath, '\\');
  std::string path;
  if (platform::EqualsNoCase(pieces[0], "C:") && !winePrefix_.empty()) path = JoinLinux(winePrefix_, "drive_c");
  else if (platform::EqualsNoCase(pieces[0], "Z:")) path = "/";
  else return {};
  for (size_t i = 1; i < pieces.size(); ++i) {
    const std::string& part = pieces[i];
    if (part.empty() || part == ".") continue;
    if (part == "..") return {};  // never climbs on disk; CheckRelativePath did that
    std::string found = platform::FindEntryNoCase(path, part);
    path = JoinLinux(path, found.empty() ? part : found);
  }
  return path;
}

std::string GameFolder::Resolve(const std::string& relativePath) const {
  if (windowsFolder_.empty()) return kError;
  return CheckRelativePath(windowsFolder_ + "\\", relativePath);
}

int BuildFolders(const GameFolder& game, const std::string& BuildPath, const LogLine& log) {
  auto fail = [&](int number, const std::string& folder) {
    if (log) log("Error " + std::to_string(number) + " building path " + folder);
    return number;
  };
  std::string path = BuildPath;
  if (!path.empty() && path.back() == '\\') path.pop_back();
  if (path.empty()) return fail(EINVAL, "");
  std::vector<std::string> pieces = platform::SplitOn(path, '\\');
  std::string folder = game.LinuxPath(pieces[0] + "\\");
  if (folder.empty()) return fail(EINVAL, pieces[0] + "\\");
  for (size_t i = 1; i < pieces.size(); ++i) {
    const std::string& part = pieces[i];
    if (part.empty() || part == ".") continue;
    if (part == "..") return fail(EINVAL, JoinLinux(folder, part));
    std::string found = platform::FindEntryNoCase(folder, part);
    std::string next = JoinLinux(folder, found.empty() ? part : found);
    if (!platform::FolderExists(next) && ::mkdir(next.c_str(), 0755) != 0) return fail(errno, next);
    folder = next;
  }
  return 0;
}

}  // namespace game_exit
