// Where the programs live: the installation folder is the folder of the running
// binary, and the Windows program names the system uses map to Linux files here.
#pragma once

#include <string>

namespace platform {

// Folder of the running program, without a trailing "/".
std::string ProgramFolder();
// File name of the running program ("watchpost").
std::string ProgramFileName();

// The Linux file of a Windows program name, without regard to case and with or
// without ".exe": "Pointerly.exe" -> "pointerly", "Ryxcontrol.exe" -> "ryxcontrol".
// Names that are not ours are returned lower-cased without the extension.
std::string ProgramFile(const std::string& windowsName);

// ProgramFolder() + "/" + ProgramFile(windowsName).
std::string ProgramPath(const std::string& windowsName);

}  // namespace platform
