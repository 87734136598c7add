// The registry the programs keep their machine-wide values in (the Kelvane key,
// the Run key). One text file per root under $XDG_CONFIG_HOME/heliryx360/
// (default ~/.config), rewritten atomically under a lock, so several programs
// may write at once. Key paths and value names compare without regard to case.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace platform {

enum class RegistryRoot { LocalMachine, CurrentUser };

struct RegistryValue {
  enum class Type { String, Dword } type = Type::String;
  std::string text;     // REG_SZ data
  uint32_t number = 0;  // REG_DWORD data
};

// Folder of the registry store: $XDG_CONFIG_HOME/heliryx360, else ~/.config/heliryx360.
std::string RegistryFolder();
std::string RegistryFile(RegistryRoot root);

class Registry {
 public:
  static bool SetString(RegistryRoot root, const std::string& keyPath, const std::string& name,
                        const std::string& data);
  static bool SetDword(RegistryRoot root, const std::string& keyPath, const std::string& name, uint32_t data);
  static std::optional<RegistryValue> Query(RegistryRoot root, const std::string& keyPath, const std::string& name);
  // True when the key exists (it may hold no values).
  static bool KeyExists(RegistryRoot root, const std::string& keyPath);
  // A missing value is no error: true unless the store could not be written.
  static bool DeleteValue(RegistryRoot root, const std::string& keyPath, const std::string& name);
};

}  // namespace platform
