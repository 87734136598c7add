// The size above which a file of the scg folder is not read by either scan.
// A full configuration is about 10 KB; the limit keeps a huge stray file from
// stalling the editor's start or the monitor's watch list.
#pragma once

#include <cstdint>
#include <string>

namespace config_store {

inline constexpr std::uintmax_t kScgFileSizeLimit = 1024 * 1024;

// True when the file is larger than the limit (a file whose size cannot be
// read is left to the reader, which treats it as unreadable).
bool ScgFileTooLarge(const std::string& path);

// The log line of a file skipped for its size.
std::string ScgFileTooLargeLine(const std::string& name);

}  // namespace config_store
