#include "config_store/scg_size_limit.h"

#include "platform/file_system.h"

namespace config_store {

bool ScgFileTooLarge(const std::string& path) {
  std::optional<std::uintmax_t> size = platform::FileSize(path);
  return size && *size > kScgFileSizeLimit;
}

std::string ScgFileTooLargeLine(const std::string& name) { return "Skipped " + name + ": larger than 1 MB"; }

}  // namespace config_store
