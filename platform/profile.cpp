#include "platform/profile.h"

#include "platform/file_system.h"
#include "platform/text.h"

#include <algorithm>
#include <cerrno>
#include <vector>

namespace platform {
namespace {

// One physical line of the file: where it starts, how long its content is, and
// the length of its line end (0 for a last line without one).
struct Line {
  size_t start;
  size_t length;
  size_t endLength;
};

// Walks the lines one at a time without holding them: a file of many short
// lines must not cost a record per line on top of its bytes.
class LineWalker {
 public:
  explicit LineWalker(const std::string& text) : text_(text) {}
  bool Next(Line& line) {
    if (start_ >= text_.size()) return false;
    size_t nl = text_.find('\n', start_);
    if (nl == std::string::npos) {
      line = {start_, text_.size() - start_, 0};
      start_ = text_.size();
      return true;
    }
    size_t contentEnd = (nl > start_ && text_[nl - 1] == '\r') ? nl - 1 : nl;
    line = {start_, contentEnd - start_, nl + 1 - contentEnd};
    start_ = nl + 1;
    return true;
  }

 private:
  const std::string& text_;
  size_t start_ = 0;
};

// The section name of a "[name]" line, if it is one.
std::optional<std::string> SectionName(std::string_view content) {
  std::string t = Trim(content);
  if (t.empty() || t[0] != '[') return std::nullopt;
  size_t close = t.find(']');
  if (close == std::string::npos) return Trim(std::string_view(t).substr(1));
  return Trim(std::string_view(t).substr(1, close - 1));
}

// The key of a "key=value" line (empty optional for lines without "=").
std::optional<std::string> KeyName(std::string_view content) {
  std::string t = Trim(content);
  if (t.empty() || t[0] == ';') return std::nullopt;
  size_t eq = t.find('=');
  if (eq == std::string::npos) return std::nullopt;
  return Trim(std::string_view(t).substr(0, eq));
}

std::string ValueOf(std::string_view content) {
  size_t eq = content.find('=');
  std::string value = Trim(content.substr(eq + 1));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
  if (value.size() > kProfileValueLimit) value.resize(kProfileValueLimit);
  return value;
}

bool IsBlank(std::string_view content) { return Trim(content).empty(); }

}  // namespace

std::optional<std::string> FindProfileValue(const std::string& text, const std::string& section,
                                            const std::string& key) {
  bool inSection = false;
  LineWalker walker(text);
  for (Line line; walker.Next(line);) {
    std::string_view content(text.data() + line.start, line.length);
    if (auto name = SectionName(content)) {
      inSection = EqualsNoCase(*name, Trim(section));
      continue;
    }
    if (!inSection) continue;
    auto name = KeyName(content);
    if (name && EqualsNoCase(*name, Trim(key))) return ValueOf(content);
  }
  return std::nullopt;
}

namespace {

// FNV-1a over both names, upper-cased, with a separator between them.
std::uint64_t NameHash(std::string_view section, std::string_view key) {
  std::uint64_t h = 1469598103934665603ull;
  auto mix = [&](char c) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ull;
  };
  for (char c : section) mix(UpperAscii(c));
  mix('\n');
  for (char c : key) mix(UpperAscii(c));
  return h;
}

// The value of a key line as a view: trimmed, one enclosing pair of quotes
// removed, cut to the limit (as ValueOf).
std::string_view ValueView(std::string_view content) {
  std::string_view value = TrimView(content.substr(content.find('=') + 1));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
  if (value.size() > kProfileValueLimit) value = value.substr(0, kProfileValueLimit);
  return value;
}

// The name of a section line as a view (as SectionName).
std::string_view SectionView(std::string_view trimmed) {
  size_t close = trimmed.find(']');
  return TrimView(close == std::string_view::npos ? trimmed.substr(1) : trimmed.substr(1, close - 1));
}

}  // namespace

ProfileIndex::ProfileIndex(std::string text) : text_(std::make_unique<std::string>(std::move(text))) {
  // Same walk as FindProfileValue: the first line of a key in any section of
  // that name wins, which the stable sort keeps first.
  const std::string& t = *text_;
  std::string_view section;
  bool inSection = false;
  LineWalker walker(t);
  for (Line line; walker.Next(line);) {
    std::string_view content(t.data() + line.start, line.length);
    std::string_view trimmed = TrimView(content);
    if (trimmed.empty()) continue;
    if (trimmed[0] == '[') {
      section = SectionView(trimmed);
      inSection = true;
      continue;
    }
    if (!inSection || trimmed[0] == ';') continue;
    size_t eq = trimmed.find('=');
    if (eq == std::string_view::npos) continue;
    std::string_view key = TrimView(trimmed.substr(0, eq));
    entries_.push_back({NameHash(section, key), section, key, ValueView(content)});
  }
  std::stable_sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) { return a.hash < b.hash; });
}

std::optional<std::string> ProfileIndex::Find(std::string_view section, std::string_view key) const {
  section = TrimView(section);
  key = TrimView(key);
  std::uint64_t hash = NameHash(section, key);
  auto it = std::lower_bound(entries_.begin(), entries_.end(), hash,
                             [](const Entry& e, std::uint64_t h) { return e.hash < h; });
  for (; it != entries_.end() && it->hash == hash; ++it)
    if (EqualsNoCase(it->section, section) && EqualsNoCase(it->key, key)) return std::string(it->value);
  return std::nullopt;
}

std::string SetProfileValue(const std::string& text, const std::string& section, const std::string& key,
                            const std::string& value) {
  const std::string newLineEnd = "\r\n";
  bool inSection = false;
  bool sectionSeen = false;
  Line insertAfter{};  // the last non-blank line of the section, or its header
  LineWalker walker(text);
  for (Line line; walker.Next(line);) {
    std::string_view content(text.data() + line.start, line.length);
    if (auto name = SectionName(content)) {
      if (inSection) break;  // the key goes into the first section of that name
      inSection = EqualsNoCase(*name, Trim(section));
      if (inSection) {
        sectionSeen = true;
        insertAfter = line;
      }
      continue;
    }
    if (!inSection) continue;
    if (!IsBlank(content)) insertAfter = line;
    auto name = KeyName(content);
    if (name && EqualsNoCase(*name, Trim(key))) {
      // Keep the key as spelt in the file and the line's own line end.
      size_t keyStart = content.find_first_not_of(" \t");
      std::string original(content.substr(keyStart, content.find('=') - keyStart));
      std::string replaced = Trim(original) + "=" + value;
      std::string out = text.substr(0, line.start);
      out += replaced;
      out += text.substr(line.start + line.length);
      return out;
    }
  }
  std::string entry = key + "=" + value + newLineEnd;
  if (sectionSeen) {
    const Line& after = insertAfter;
    size_t at = after.start + after.length + after.endLength;
    std::string out = text.substr(0, at);
    if (after.endLength == 0) out += newLineEnd;
    out += entry;
    out += text.substr(at);
    return out;
  }
  std::string out = text;
  if (!out.empty() && out.back() != '\n') out += newLineEnd;
  out += "[" + section + "]" + newLineEnd + entry;
  return out;
}

bool ProfileEntryWritable(const std::string& section, const std::string& key, const std::string& value) {
  // A line break would forge further lines; the rest would write a line that
  // reads back as a section or a comment, and another one at every write.
  for (const std::string* part : {&section, &key, &value})
    if (part->find_first_of("\r\n") != std::string::npos) return false;
  std::string name = Trim(key);
  if (name.empty() || name.find('=') != std::string::npos || name[0] == '[' || name[0] == ';') return false;
  return section.find(']') == std::string::npos;
}

std::string GetProfileString(const std::string& section, const std::string& key, const std::string& defaultValue,
                             const std::string& file) {
  auto text = ReadFileBytes(file);
  if (!text) return defaultValue;
  auto value = FindProfileValue(*text, section, key);
  return value ? *value : defaultValue;
}

int TryWriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                          const std::string& file) {
  if (!ProfileEntryWritable(section, key, value)) return EINVAL;
  // As on Windows, a read-only file is not written.
  if (!MayReplaceFile(file)) return EACCES;
  // Several programs write one file (the mailbox above all): each write reads
  // what the last one left.
  FileUpdateLock lock(file);
  std::string text;
  if (FileExists(file)) {
    // Unreadable: never replace what we could not read.
    if (int error = TryReadFile(file, text)) return error;
  }
  return TryWriteFileAtomic(file, SetProfileValue(text, section, key, value));
}

bool WriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                        const std::string& file) {
  return TryWriteProfileString(section, key, value, file) == 0;
}

bool ReplaceProfileString(const std::string& section, const std::string& key, const std::string& expected,
                          const std::string& value, const std::string& defaultValue, const std::string& file) {
  if (!ProfileEntryWritable(section, key, value) || !FileExists(file) || !MayReplaceFile(file)) return false;
  FileUpdateLock lock(file);
  auto bytes = ReadFileBytes(file);
  if (!bytes) return false;
  auto current = FindProfileValue(*bytes, section, key);
  if ((current ? *current : defaultValue) != expected) return false;
  return WriteFileAtomic(file, SetProfileValue(*bytes, section, key, value));
}

}  // namespace platform
