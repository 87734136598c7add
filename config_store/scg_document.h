// A configuration file read once: its bytes, its lines for the block readers,
// and every key answered from one parse with the profile functions' rules.
// Changes are made to the text in memory and saved once, atomically.
#pragma once

#include "platform/profile.h"

#include <optional>
#include <string>
#include <vector>

namespace config_store {

class ScgDocument {
 public:
  explicit ScgDocument(std::string text);
  // Nothing when the file cannot be read.
  static std::optional<ScgDocument> Load(const std::string& path);

  const std::string& Text() const { return index_.Text(); }
  const std::vector<std::string>& Lines() const { return lines_; }

  // As ReadIni: the value, or "ERROR" when the section or key is missing.
  std::string ReadIni(const std::string& section, const std::string& key) const;
  // As ReadConfigValue: "ERROR" becomes `defaultValue` when that is not empty.
  std::string ReadConfigValue(const std::string& section, const std::string& key,
                              const std::string& defaultValue) const;

  // As WriteIni, on the text in memory; false for a name or value that would
  // break the line (a line break, a key with "=").
  bool WriteIni(const std::string& section, const std::string& key, const std::string& value);

  // Replaces the file with the text as a whole (temporary file, flush, rename).
  bool Save(const std::string& path) const;

 private:
  platform::ProfileIndex index_;
  std::vector<std::string> lines_;
};

}  // namespace config_store
