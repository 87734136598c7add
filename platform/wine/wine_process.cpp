#include "platform/wine/wine_process.h"

#include "platform/text.h"
#include "platform/win_path.h"
#include "platform/wine/wine_drives.h"

namespace platform {

bool IsWineLoader(std::string_view exePath) {
  std::string_view name = exePath.substr(exePath.find_last_of("/\\") + 1);  // all of it when there is none
  return name == "wine" || name == "wine64" || name == "wine-preloader" || name == "wine64-preloader" ||
         (name.size() > 10 && name.substr(name.size() - 10) == "-preloader" && name.substr(0, 4) == "wine");
}

std::string WineLoaderOf(std::string_view exePath) {
  constexpr std::string_view tail = "-preloader";
  if (EndsWithNoCase(exePath, tail)) exePath.remove_suffix(tail.size());
  return std::string(exePath);
}

std::string WinePrefixOf(const std::string& winePrefixVariable, const std::string& home, const std::string& ownHome) {
  std::string prefix = winePrefixVariable;
  if (prefix.empty()) prefix = (home.empty() ? ownHome : home) + "/.wine";
  while (prefix.size() > 1 && prefix.back() == '/') prefix.pop_back();
  return prefix;
}

WineOwnFiles::WineOwnFiles(const std::string& prefix, const std::string& realPrefix)
    : windows_(prefix + "/drive_c/windows/"),
      realWindows_(realPrefix.empty() ? std::string() : realPrefix + "/drive_c/windows/") {}

bool WineOwnFiles::Contains(std::string_view path) const {
  if (StartsWithNoCase(path, windows_)) return true;
  if (!realWindows_.empty() && StartsWithNoCase(path, realWindows_)) return true;
  // A folder "wine" followed by a PE folder, anywhere in the path.
  for (size_t at = path.find("/wine/"); at != std::string_view::npos; at = path.find("/wine/", at + 1)) {
    std::string_view next = path.substr(at + 6);
    size_t slash = next.find('/');
    if (slash == std::string_view::npos) continue;  // "wine/<name>" names a file, not a folder
    next = next.substr(0, slash);
    if (next == "fakedlls" || (next.size() > 8 && next.substr(next.size() - 8) == "-windows")) return true;
  }
  return false;
}

std::string_view WineExeOfMapsLine(std::string_view line, const WineOwnFiles& own) {
  // address perms offset dev inode, then the path (which may hold blanks)
  size_t at = 0;
  for (int field = 0; field < 5; ++field) {
    while (at < line.size() && line[at] == ' ') ++at;
    while (at < line.size() && line[at] != ' ') ++at;
  }
  while (at < line.size() && line[at] == ' ') ++at;
  if (at >= line.size() || line[at] != '/') return {};
  std::string_view path = line.substr(at);
  if (!EndsWithNoCase(path, ".exe") || own.Contains(path)) return {};
  return path;
}

bool NamesRelativeToStart(const std::string& argument) {
  return !argument.empty() && !IsWindowsDrivePath(argument) && argument[0] != '/';
}

std::string WineGameOfArgument(const std::string& prefix, const std::string& argument, const std::string& startFolder,
                               const WineOwnFiles& own) {
  std::string game;
  if (IsWindowsDrivePath(argument))
    game = WinePathToLinux(prefix, argument);
  else if (!argument.empty() && argument[0] == '/')
    game = argument;
  else if (!argument.empty() && !startFolder.empty())
    game = ResolveNoCase(startFolder, argument);
  if (!EndsWithNoCase(game, ".exe") || own.Contains(game)) game.clear();
  return game;
}

}  // namespace platform
