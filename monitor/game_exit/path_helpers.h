// Paths as configurations write them: Windows paths relative to the game's
// folder (".\cfg\keys.cfg", "..\Common\b.ini", "data\d.txt"). They are worked
// out in that Windows form and turned into a Linux path only to touch the disk.
//
// A game folder has the Windows form the game itself sees: below a Wine prefix's
// drive_c it is on drive C:, anywhere else on Z:, the drive Wine maps to "/".
// So leading "..\" steps may climb to the drive's root and no further.
#pragma once

#include <functional>
#include <string>

namespace game_exit {

using LogLine = std::function<void(const std::string& line)>;

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
  // or "ERROR".
  std::string Resolve(const std::string& relativePath) const;

 private:
  std::string linuxFolder_;
  std::string winePrefix_;
  std::string windowsFolder_;
};

// Creates every missing folder of the Windows path `BuildPath` (with or without
// a trailing backslash), matching existing ones without regard to case. The
// first failure stops it and logs "Error <errno> building path <folder>". 0 on
// success, else that errno value. Folders created before the failure stay.
int BuildFolders(const GameFolder& game, const std::string& BuildPath, const LogLine& log);

}  // namespace game_exit
