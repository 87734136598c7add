// Windows-form paths as configuration files store them (".\crv\a.crv",
// "..\Common\b.ini", backslashes). They stay in that form in memory and in files
// and are turned into a Linux path only when a file is touched.
#pragma once

#include <string>

namespace platform {

// Backslashes become slashes; nothing else changes.
std::string SlashesForward(const std::string& windowsPath);

// The Linux path of `relative` (a relative Windows path such as "Data\Q3.cfg")
// below `base`, each part matched to an existing entry without regard to case
// as Windows would find it; parts that do not exist yet keep their spelling.
// "." parts are dropped. ".." parts are not resolved here.
std::string ResolveNoCase(const std::string& base, const std::string& relative);

// The same for a name that must stay below `base`: empty when it holds a ".." part.
std::string ResolveBelowNoCase(const std::string& base, const std::string& relative);

// Walks `relative` below the folder `base` as ResolveNoCase does and creates
// each folder on the way that does not exist yet. 0 on success, else the errno
// value of the first folder that could not be made (EINVAL for a ".." part);
// `reached` is the last folder made or found, or the one that failed. Folders
// made before a failure stay.
int CreateFoldersNoCase(const std::string& base, const std::string& relative, std::string& reached);

// The last part of a path (after the last "/" or "\"), and everything before it.
std::string FileNamePart(const std::string& path);
std::string FolderPart(const std::string& path);

}  // namespace platform
