// The small helpers through which every program reads and writes INI-style
// files and registry strings. A missing file, section or key reads as "ERROR".
#pragma once

#include "platform/registry.h"

#include <string>

namespace config_store {

inline const std::string kError = "ERROR";
// The shared registry key of the tool set (under HKEY_LOCAL_MACHINE).
inline const std::string kKelvaneKey = "Software\\Heliryx 360\\Kelvane";

std::string ReadIni(const std::string& file, const std::string& section, const std::string& key);
// As ReadIni, but "ERROR" becomes `defaultValue` when that is not empty.
std::string ReadConfigValue(const std::string& section, const std::string& key, const std::string& defaultValue,
                            const std::string& file);
// Writes one value; a failure is not reported to the caller, as everywhere it is used.
void WriteIni(const std::string& file, const std::string& section, const std::string& key, const std::string& value);
void SaveRegString(platform::RegistryRoot root, const std::string& keyPath, const std::string& name,
                   const std::string& data);
// The attach dialog's "do not show again" value is read, but the controller is
// always taken as attached: the dialog is never shown at start.
bool ReadCheckAttached();

}  // namespace config_store
