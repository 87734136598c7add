// The INI engine behind every settings and configuration file, with the
// behaviour of the Windows profile functions the programs were written against:
// section and key names without regard to case, the first match wins, the value
// trimmed with one enclosing pair of double quotes removed, at most 254
// characters returned. A write replaces one key line in place, or appends the
// key at the end of its section, or the section at the end of the file; every
// other byte of the file (comments, brace blocks, empty lines) is kept.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

inline constexpr size_t kProfileValueLimit = 254;

// The stored value, or `defaultValue` when the file, section or key is missing.
std::string GetProfileString(const std::string& section, const std::string& key, const std::string& defaultValue,
                             const std::string& file);

// True when the file can hold the entry as lines that read back as written: no
// line break anywhere, a key that is not empty, holds no "=" and does not begin
// like a section or a comment line, a section name without "]".
bool ProfileEntryWritable(const std::string& section, const std::string& key, const std::string& value);

// Writes one value; false when the entry cannot be held (see above) or the file
// could not be written. Writers of one file in different processes do not lose
// one another's writes.
bool WriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                        const std::string& file);
// The same for a caller that says why: 0, else the errno value of the step
// that failed (EACCES for a read-only file, EINVAL for an entry it cannot hold).
int TryWriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                          const std::string& file);

// Writes `value` only while the stored value (or `defaultValue` when missing)
// equals `expected`, as one step under the file's lock, so a writer in another
// program cannot slip in between the look and the write. True when written.
bool ReplaceProfileString(const std::string& section, const std::string& key, const std::string& expected,
                          const std::string& value, const std::string& defaultValue, const std::string& file);

// The same over text already in memory, for callers that hold the bytes.
std::optional<std::string> FindProfileValue(const std::string& text, const std::string& section,
                                            const std::string& key);
std::string SetProfileValue(const std::string& text, const std::string& section, const std::string& key,
                            const std::string& value);

// A text parsed once, for callers that read many keys of one file: every key is
// answered exactly as FindProfileValue would answer it on the same text.
class ProfileIndex {
 public:
  explicit ProfileIndex(std::string text);
  ProfileIndex(const ProfileIndex&) = delete;
  ProfileIndex& operator=(const ProfileIndex&) = delete;
  ProfileIndex(ProfileIndex&&) noexcept = default;
  ProfileIndex& operator=(ProfileIndex&&) noexcept = default;

  const std::string& Text() const { return *text_; }
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

 private:
  struct Entry {
    std::uint64_t hash;        // of both names without regard to case
    std::string_view section;  // trimmed, as spelt in the text
    std::string_view key;
    std::string_view value;  // as the profile functions return it
  };
  std::unique_ptr<std::string> text_;  // the views point into it; stays put when moved
  std::vector<Entry> entries_;         // sorted by hash, then by line
};

}  // namespace platform
