#include "monitor/game_exit/path_helpers.h"

#include "platform/file_system.h"
#include "platform/text.h"
#include "platform/win_path.h"
#include "platform/wine/wine_drives.h"

#include <cerrno>
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

std::string ParentFolder(const std::string& folder) {
  size_t slash = folder.rfind('/');
  if (slash == std::string::npos || folder == "/") return {};
  return slash == 0 ? "/" : folder.substr(0, slash);
}

// True when `path` is `folder` or lies below it (both clean, absolute).
bool Within(const std::string& path, const std::string& folder) {
  if (folder == "/") return !path.empty() && path[0] == '/';
  return path == folder || (StartsWith(path, folder) && path.size() > folder.size() && path[folder.size()] == '/');
}

// The player's home folder, with links resolved.
std::string HomeFolder() {
  std::string folder = platform::HomeFolder();
  std::string real = platform::RealPath(folder);
  return real.empty() ? CleanFolder(folder) : real;
}

// The highest of the game folder, its parent and its grandparent that is neither
// the home folder nor above it; empty when the game folder itself is.
std::string NativeClimbRoot(const std::string& gameFolder) {
  std::string home = HomeFolder();
  std::string root;
  std::string folder = gameFolder;
  for (int up = 0; up <= 2 && !folder.empty(); ++up, folder = ParentFolder(folder)) {
    if (!home.empty() && Within(home, folder)) break;
    root = folder;
  }
  return root;
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
  const std::string driveC = platform::LaidOutDriveFolder(winePrefix_, "C:");
  windowsFolder_ = platform::WindowsFormOf(winePrefix_, linuxFolder_);
  const bool onDriveC = StartsWith(windowsFolder_, "C:");

  if (onDriveC) {
    climbRoot_ = driveC;
    climbRootWindows_ = "C:";
  } else {
    climbRoot_ = NativeClimbRoot(linuxFolder_);
    if (!climbRoot_.empty()) climbRootWindows_ = platform::WindowsFormOf("", climbRoot_);
  }
  if (climbRoot_.empty()) return;
  std::string real = platform::RealPath(climbRoot_);
  reachableRoots_.push_back(real.empty() ? climbRoot_ : real);
  if (onDriveC) {
    const std::string home = HomeFolder();
    // Wine's own links from a user's folders to the player's (Documents, ...).
    std::string users = platform::FindEntryNoCase(driveC, "users");
    std::string usersFolder = JoinLinux(driveC, users.empty() ? "users" : users);
    for (const std::string& user : platform::ListEntries(usersFolder)) {
      std::string userFolder = JoinLinux(usersFolder, user);
      if (platform::IsLink(userFolder) || !platform::FolderExists(userFolder)) continue;
      for (const std::string& entry : platform::ListEntries(userFolder)) {
        std::string path = JoinLinux(userFolder, entry);
        if (!platform::IsLink(path)) continue;
        std::string target = platform::RealPath(path);
        // Never the whole home folder (a desktop folder may be the home itself).
        if (target.empty() || !platform::FolderExists(target) || Within(home, target)) continue;
        reachableRoots_.push_back(target);
      }
    }
  }
}

bool GameFolder::Reaches(const std::string& linuxPath) const {
  std::string path = CleanFolder(linuxPath);
  if (path.empty() || reachableRoots_.empty()) return false;
  auto inside = [&](const std::string& real) {
    if (real.empty()) return false;
    for (const std::string& root : reachableRoots_)
      if (Within(real, root)) return true;
    return false;
  };
  if (platform::IsLink(path)) return inside(platform::RealPath(path));
  std::string folder = platform::FolderExists(path) ? path : ParentFolder(path);
  for (; !folder.empty(); folder = ParentFolder(folder)) {
    if (!platform::EntryExists(folder)) continue;  // not made yet
    return inside(platform::RealPath(folder));
  }
  return false;
}

std::string GameFolder::LinuxPath(const std::string& windowsPath) const {
  size_t backslash = windowsPath.find('\\');
  std::string drive = windowsPath.substr(0, backslash);
  std::string root = platform::LaidOutDriveFolder(winePrefix_, drive);
  if (root.empty()) return {};
  if (backslash == std::string::npos) return root;
  // Never climbs on disk: CheckRelativePath did that.
  return platform::ResolveBelowNoCase(root, windowsPath.substr(backslash + 1));
}

std::string GameFolder::Resolve(const std::string& relativePath) const {
  if (windowsFolder_.empty() || climbRootWindows_.empty()) return kError;
  std::string resolved = CheckRelativePath(windowsFolder_ + "\\", relativePath);
  if (resolved == kError) return kError;
  // Climbs stop at the root the game's writes may reach.
  const std::string& root = climbRootWindows_;
  if (!platform::StartsWithNoCase(resolved, root) || (resolved.size() > root.size() && resolved[root.size()] != '\\'))
    return kError;
  return resolved;
}

bool ResolvesWithin(const std::string& path, const std::string& folder) {
  std::string realPath = platform::RealPath(path), realFolder = platform::RealPath(folder);
  return !realPath.empty() && !realFolder.empty() && Within(realPath, realFolder);
}

int BuildFolders(const GameFolder& game, const std::string& BuildPath, monitor::Log& log) {
  auto fail = [&](int number, const std::string& folder) {
    log.Line("Error " + std::to_string(number) + " building path " + folder);
    return number;
  };
  std::string path = BuildPath;
  if (!path.empty() && path.back() == '\\') path.pop_back();
  if (path.empty()) return fail(EINVAL, "");
  size_t backslash = path.find('\\');
  std::string drive = path.substr(0, backslash) + "\\";
  std::string folder = game.LinuxPath(drive);
  if (folder.empty()) return fail(EINVAL, drive);
  if (backslash == std::string::npos) return 0;
  std::string reached;
  int error = platform::CreateFoldersNoCase(folder, path.substr(backslash + 1), reached);
  return error == 0 ? 0 : fail(error, reached);
}

}  // namespace game_exit
