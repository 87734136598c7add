// The mode mailbox: [APPLICATION] MODE of watchpost.ini in the program folder,
// through which every program of the tool set steers the monitor.
#pragma once

#include "config_store/install_folder.h"

#include <string>

namespace config_store {

bool MonitorIniExists(const std::string& programFolder);

// MODE as stored in the mailbox file `monitorIni` (MonitorIniPath of a
// folder); "ERROR" when the file or the key is missing.
std::string ReadModeFile(const std::string& monitorIni);
// Writes MODE into the mailbox file, creating the file when it is missing; 0,
// else the errno value of the write that failed.
int WriteModeFile(const std::string& monitorIni, const std::string& value);
// Writes MODE only when the folder's watchpost.ini exists, so that a program
// telling a monitor that never ran creates no mailbox; true when written.
bool WriteModeIfPresent(const std::string& programFolder, const std::string& value);

// Writes `to` only when watchpost.ini exists and MODE is exactly `from`
// (case-sensitive), the look and the write as one step under the file's lock; true
// when written. The hand-shakes of the editor and the
// updater with the monitor all take this shape.
bool ReplaceMode(const std::string& programFolder, const std::string& from, const std::string& to);

}  // namespace config_store
