// Starting a program when the user logs in: an XDG autostart entry
// ($XDG_CONFIG_HOME/autostart/<id>.desktop, default ~/.config/autostart), which
// desktop sessions run at login.
#pragma once

#include <optional>
#include <string>

namespace platform {

std::string AutostartFolder();
std::string AutostartFile(const std::string& id);

// Writes (or replaces) the entry that starts `programPath` with no arguments.
bool WriteAutostartEntry(const std::string& id, const std::string& displayName, const std::string& programPath);
// A missing entry is no error.
bool RemoveAutostartEntry(const std::string& id);

// The program an entry starts (its Exec line unquoted), or nothing.
std::optional<std::string> AutostartProgram(const std::string& id);

}  // namespace platform
