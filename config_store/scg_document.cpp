#include "config_store/scg_document.h"

#include "config_store/profile_helpers.h"
#include "platform/file_system.h"
#include "platform/text.h"

namespace config_store {

ScgDocument::ScgDocument(std::string text) : index_(std::move(text)), lines_(platform::SplitLines(index_.Text())) {}

std::optional<ScgDocument> ScgDocument::Load(const std::string& path) {
  auto bytes = platform::ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  return ScgDocument(std::move(*bytes));
}

std::string ScgDocument::ReadIni(const std::string& section, const std::string& key) const {
  auto value = index_.Find(section, key);
  return value ? *value : kError;
}

std::string ScgDocument::ReadConfigValue(const std::string& section, const std::string& key,
                                         const std::string& defaultValue) const {
  std::string value = ReadIni(section, key);
  if (value == kError && !defaultValue.empty()) return defaultValue;
  return value;
}

bool ScgDocument::WriteIni(const std::string& section, const std::string& key, const std::string& value) {
  for (const std::string* part : {&section, &key, &value})
    if (part->find_first_of("\r\n") != std::string::npos) return false;
  if (platform::Trim(key).empty() || key.find('=') != std::string::npos) return false;
  *this = ScgDocument(platform::SetProfileValue(Text(), section, key, value));
  return true;
}

bool ScgDocument::Save(const std::string& path) const { return platform::WriteFileAtomic(path, Text()); }

}  // namespace config_store
