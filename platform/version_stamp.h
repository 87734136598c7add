// The version of the tool set built into each of its binaries. It is also kept
// as a marked string in the file's own bytes, so the version of an installed
// program can be read without running it.
#pragma once

#include <optional>
#include <string>

namespace platform {

struct FileVersionInfo {
  int major = 0;
  int minor = 0;
  int build = 0;
  int revision = 0;
};

// The running program's own version.
FileVersionInfo OwnVersion();

// The version stamped into a binary of ours; empty when the file carries none.
std::optional<FileVersionInfo> ReadFileVersion(const std::string& path);

}  // namespace platform
