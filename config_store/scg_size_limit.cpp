#include "config_store/scg_size_limit.h"

#include <filesystem>
#include <system_error>

namespace config_store {

bool ScgFileTooLarge(const std::string& path) {
  std::error_code error;
  std::uintmax_t size = std::filesystem::file_size(path, error);
  return !error && size > kScgFileSizeLimit;
}

std::string ScgFileTooLargeLine(const std::string& name) {
  return "Skipped " + name + ": larger than 1 MB";
}

}  // namespace config_store
