#include "monitor/game_exit/path_helpers.h"

#include "platform/file_system.h"
#include "platform/text.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
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

std::string RealPath(const std::string& path) {
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real) return {};
  std::string out = real;
  std::free(real);
  return out;
}

// True when `path` is `folder` or lies below it (both clean, absolute).
bool Within(const std::string& path, const std::string& folder) {
  if (folder == "/") return !path.empty() && path[0] == '/';
  return path == folder || (StartsWith(path, folder) && path.size() > folder.size() && path[folder.size()] == '/');
}

// The player's home folder, with links resolved.
std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  std::string folder = home && *home ? home : "";
  if (folder.empty()) {
    const passwd* account = ::getpwuid(::getuid());
    if (account && account->pw_dir) folder = account->pw_dir;
  }
  std::string real = RealPath(folder);
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

// The names in a folder, "." and ".." left out.
std::vector<std::string> EntriesOf(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return names;
  while (dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  return names;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && platform::EqualsNoCase(std::string_view(text).substr(0, prefix.size()), prefix);
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

  if (drive == "C:") {
    climbRoot_ = driveC;
    climbRootWindows_ = "C:";
  } else {
    climbRoot_ = NativeClimbRoot(linuxFolder_);
    if (!climbRoot_.empty()) {
      climbRootWindows_ = "Z:" + (climbRoot_ == "/" ? std::string() : climbRoot_);
      for (char& c : climbRootWindows_)
        if (c == '/') c = '\\';
    }
  }
  if (climbRoot_.empty()) return;
  std::string real = RealPath(climbRoot_);
  reachableRoots_.push_back(real.empty() ? climbRoot_ : real);
  if (drive == "C:") {
    const std::string home = HomeFolder();
    // Wine's own links from a user's folders to the player's (Documents, ...).
    std::string users = platform::FindEntryNoCase(driveC, "users");
    std::string usersFolder = JoinLinux(driveC, users.empty() ? "users" : users);
    for (const std::string& user : EntriesOf(usersFolder)) {
      std::string userFolder = JoinLinux(usersFolder, user);
      struct stat st {};
      if (::lstat(userFolder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) continue;
      for (const std::string& entry : EntriesOf(userFolder)) {
        std::string path = JoinLinux(userFolder, entry);
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) continue;
        std::string target = RealPath(path);
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
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) return inside(RealPath(path));
  std::string folder = ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? path : ParentFolder(path);
  for (; !folder.empty(); folder = ParentFolder(folder)) {
    struct stat fs {};
    if (::lstat(folder.c_str(), &fs) != 0) continue;  // not made yet
    return inside(RealPath(folder));
  }
  return false;
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
  if (windowsFolder_.empty() || climbRootWindows_.empty()) return kError;
  std::string resolved = CheckRelativePath(windowsFolder_ + "\\", relativePath);
  if (resolved == kError) return kError;
  // Climbs stop at the root the game's writes may reach.
  const std::string& root = climbRootWindows_;
  if (!StartsWithNoCase(resolved, root) || (resolved.size() > root.size() && resolved[root.size()] != '\\'))
    return kError;
  return resolved;
}

bool ResolvesWithin(const std::string& path, const std::string& folder) {
  std::string realPath = RealPath(path), realFolder = RealPath(folder);
  return !realPath.empty() && !realFolder.empty() && Within(realPath, realFolder);
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
