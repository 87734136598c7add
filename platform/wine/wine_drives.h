// Where a Wine prefix's drives lie. Wine lays a prefix out with drive C: at
// <prefix>/drive_c and Z: at the root of the file system, and names every
// drive by a link in <prefix>/dosdevices ("c:" -> "../drive_c", "z:" -> "/"),
// where a player may move or add drives. Two readings of that one layout:
// finding a running game's executable follows the prefix's links (any drive);
// the game-exit step's writes keep to the layout itself (C: and Z: only, no
// link followed), so that a configuration's paths stay in a tree its checks know.
#pragma once

#include <string>

namespace platform {

// True for "C:\..." or "c:/...": a drive letter, a colon and a separator.
bool IsWindowsDrivePath(const std::string& path);

// The Linux path of a Windows path ("C:\Games\X\game.exe") inside a Wine prefix:
// the drive through the prefix's dosdevices links, every further part matched
// to an existing entry without regard to case. Empty when the drive is unknown.
std::string WinePathToLinux(const std::string& prefix, const std::string& windowsPath);

// The folder of drive `drive` ("C:", "z:") as Wine lays it out, links not
// followed: C: is the prefix's drive_c (none without a prefix), Z: is "/";
// empty for any other drive. `prefix` is a clean absolute folder or empty.
std::string LaidOutDriveFolder(const std::string& prefix, const std::string& drive);

// A clean absolute Linux folder as a program in the prefix sees it, without a
// trailing backslash: below drive_c on C:, anywhere else on Z: ("/" is "Z:").
std::string WindowsFormOf(const std::string& prefix, const std::string& linuxFolder);

}  // namespace platform
