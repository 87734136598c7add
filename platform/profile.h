// The INI engine behind every settings and configuration file, with the
// behaviour of the Windows profile functions the programs were written against:
// section and key names without regard to case, the first match wins, the value
// trimmed with one enclosing pair of double quotes removed, at most 254
// characters returned. A write replaces one key line in place, or appends the
// key at the end of its section, or the section at the end of the file; every
// other byte of the file (comments, brace blocks, empty lines) is kept.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>

namespace platform {

inline constexpr size_t kProfileValueLimit = 254;

// The stored value, or `defaultValue` when the file, section or key is missing.
std::string GetProfileString(const std::string& section, const std::string& key,
                             const std::string& defaultValue, const std::string& file);

// Writes one value; false when the file could not be written.
bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& file);

// The same over text already in memory, for callers that hold the bytes.
std::optional<std::string> FindProfileValue(const std::string& text, const std::string& section,
                                            const std::string& key);
std::string SetProfileValue(const std::string& text, const std::string& section,
                            const std::string& key, const std::string& value);

// A text parsed once, for callers that read many keys of one file: every key is
// answered exactly as FindProfileValue would answer it on the same text.
class ProfileIndex {
 public:
  explicit ProfileIndex(const std::string& text);
  std::optional<std::string> Find(const std::string& section, const std::string& key) const;

 private:
  std::unordered_map<std::string, std::string> values_;  // "SECTION\nKEY" upper-cased
};

}  // namespace platform
