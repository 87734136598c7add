// Paths as configurations write them: Windows paths relative to the game's
// folder (".\cfg\keys.cfg", "..\Common\b.ini", "data\d.txt"). They are worked
// out in that Windows form and turned into a Linux path only to touch the disk.
//
// A game folder has the Windows form the game itself sees: below a Wine prefix's
// drive_c it is on drive C:, anywhere else on Z:, the drive Wine maps to "/".
//
// Configurations come from the update server and from other players, so what
// they write stays in the game's own tree: leading "..\" steps climb at most to
// drive C:'s root for a game in a prefix's drive_c, and for any other game at
// most two folders above its folder and never to the home folder or above it;
// and a path whose links lead out of that tree counts as one that cannot be
// resolved.
#pragma once

#include "monitor/log.h"

#include <string>
#include <vector>

namespace game_exit {

// The full Windows path of `varCopyUp` below `varPathUp` (the game folder with a
// trailing backslash), or "ERROR". ".\" starts at the game folder, each leading
// "..\" climbs one folder, anything else is appended. Refused as "ERROR" besides
// the climbs past the drive's root: an absolute path, a drive or stream name
// (any ':'), ".." anywhere but as leading "..\" steps, and control characters.
// "/" counts as a backslash, as on Windows.
std::string CheckRelativePath(const std::string& varPathUp, const std::string& varCopyUp);

// The text after the last backslash (all of it without one), and the text up to
// and including the last backslash (empty without one).
std::string GetFileOnly(const std::string& FullPath);
std::string GetPathOnly(const std::string& FullPath);

// The game's folder and where its Windows drives lie on this system.
class GameFolder {
 public:
  // `linuxFolder` is the game's folder (absolute); `winePrefix` is empty for a
  // game that did not run under Wine.
  GameFolder(std::string linuxFolder, std::string winePrefix);

  const std::string& LinuxFolder() const { return linuxFolder_; }
  const std::string& WinePrefix() const { return winePrefix_; }
  // The folder as the game sees it, without a trailing backslash ("C:\Games\Foo");
  // empty when it has none (not absolute, or a name holding a backslash).
  const std::string& WindowsFolder() const { return windowsFolder_; }

  // The Linux path of a Windows path on one of the game's drives, existing
  // parts matched without regard to case as Windows finds them; empty for a
  // path on another drive.
  std::string LinuxPath(const std::string& windowsPath) const;

  // A configuration's relative path resolved against this folder (Windows form),
  // or "ERROR" (also for one that climbs above the folders it may reach).
  std::string Resolve(const std::string& relativePath) const;

  // True when the Linux path, with links resolved, lies within the folders the
  // game's writes may reach: the real path of its deepest existing folder, and
  // the target of the path itself when it is a link (a dangling link counts as
  // outside). A Wine prefix's own links to the player's folders (Documents and
  // the like, directly in drive_c/users/<name>/) count as inside.
  bool Reaches(const std::string& linuxPath) const;

  // The folder leading "..\" steps may climb to (Linux form), empty when none.
  const std::string& ClimbRoot() const { return climbRoot_; }

 private:
  std::string linuxFolder_;
  std::string winePrefix_;
  std::string windowsFolder_;
  std::string climbRoot_;
  std::string climbRootWindows_;
  std::vector<std::string> reachableRoots_;  // real paths
};

// True when `path` and `folder` both exist and `path`, with links resolved, is
// the resolved `folder` or lies below it.
bool ResolvesWithin(const std::string& path, const std::string& folder);

// Creates every missing folder of the Windows path `BuildPath` (with or without
// a trailing backslash), matching existing ones without regard to case. The
// first failure stops it and logs "Error <errno> building path <folder>". 0 on
// success, else that errno value. Folders created before the failure stay.
int BuildFolders(const GameFolder& game, const std::string& BuildPath, monitor::Log& log);

}  // namespace game_exit
