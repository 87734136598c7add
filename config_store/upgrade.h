// Conversion of a configuration file from layout 6.0 to 6.1 in place: the keys
// the new layout adds, and every button binding turned into a triple.
#pragma once

#include <functional>
#include <string>

namespace config_store {

// Converts the file at `strSCGLocation`. The whole conversion is made in memory
// and written once, replacing the file atomically, so the file is either fully
// converted or byte for byte as it was. False when the file could not be read
// or written (a read-only file included); it is then untouched. `status`
// receives the progress text naming `strSCGName`.
bool Upgrade60to61(const std::string& strSCGLocation, const std::string& strSCGName,
                   const std::function<void(const std::string&)>& status = {});

}  // namespace config_store
