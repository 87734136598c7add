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

namespace platform {

inline constexpr size_t kProfileValueLimit = 254;

// The stored value, or `defaultValue` when the file, section or key is missing.
std::string GetProfileString(const std::string& section, const std::string& key,
                             const std::string& defaultValue, const std::string& file);

// True when the file can hold the entry as lines that read back as written: no
// line break anywhere, a key that is not empty, holds no "=" and does not begin
// like a section or a comment line, a section name without "]".
bool ProfileEntryWritable(const std::string& section, const std::string& key, const std::string& value);

// Writes one value; false when the entry cannot be held (see above) or the file
// could not be written. Writers of one file in different processes do not lose
// one another's writes.
bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& file);

// The same over text already in memory, for callers that hold the bytes.
std::optional<std::string> FindProfileValue(const std::string& text, const std::string& section,
                                            const std::string& key);
std::string SetProfileValue(const std::string& text, const std::string& section,
                            const std::string& key, const std::string& value);

}  // namespace platform
