#include "platform/registry.h"

#include "platform/file_system.h"
#include "platform/text.h"

#include <cstdlib>
#include <vector>

namespace platform {
namespace {

// File format, one entry per line:
//   [Key\Path]
//   "Name"="text with \" and \\ escaped"
//   "Name"=dword:0000000a
struct Entry {
  std::string key;
  std::string name;
  RegistryValue value;
};

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// Reads a quoted, escaped string starting at `pos` (on the opening quote).
std::optional<std::string> Unquote(const std::string& line, size_t& pos) {
  if (pos >= line.size() || line[pos] != '"') return std::nullopt;
  std::string out;
  for (++pos; pos < line.size(); ++pos) {
    char c = line[pos];
    if (c == '"') {
      ++pos;
      return out;
    }
    if (c == '\\' && pos + 1 < line.size()) {
      char n = line[++pos];
      out += n == 'n' ? '\n' : n == 'r' ? '\r' : n;
    } else {
      out += c;
    }
  }
  return std::nullopt;
}

std::vector<Entry> Parse(const std::string& text) {
  std::vector<Entry> entries;
  std::string key;
  for (const std::string& line : SplitLines(text)) {
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      key = line.substr(1, line.size() - 2);
      entries.push_back({key, "", {}});  // marks the key as existing
      entries.back().value.type = RegistryValue::Type::String;
      entries.back().name = std::string(1, '\0');
      continue;
    }
    size_t pos = 0;
    auto name = Unquote(line, pos);
    if (!name || pos >= line.size() || line[pos] != '=') continue;
    ++pos;
    Entry entry{key, *name, {}};
    if (line.compare(pos, 6, "dword:") == 0) {
      entry.value.type = RegistryValue::Type::Dword;
      entry.value.number = static_cast<uint32_t>(std::strtoul(line.c_str() + pos + 6, nullptr, 16));
    } else {
      auto data = Unquote(line, pos);
      if (!data) continue;
      entry.value.text = *data;
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

bool IsKeyMarker(const Entry& e) { return e.name.size() == 1 && e.name[0] == '\0'; }

std::string Format(const std::vector<Entry>& entries) {
  std::string out;
  std::vector<std::string> keys;
  for (const Entry& e : entries) {
    bool known = false;
    for (const auto& k : keys) known = known || EqualsNoCase(k, e.key);
    if (!known) keys.push_back(e.key);
  }
  for (const std::string& key : keys) {
    out += "[" + key + "]\n";
    for (const Entry& e : entries) {
      if (!EqualsNoCase(e.key, key) || IsKeyMarker(e)) continue;
      out += "\"" + Escape(e.name) + "\"=";
      if (e.value.type == RegistryValue::Type::Dword) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "dword:%08x", e.value.number);
        out += hex;
      } else {
        out += "\"" + Escape(e.value.text) + "\"";
      }
      out += "\n";
    }
    out += "\n";
  }
  return out;
}

// Held for one read-modify-write of a root's store file; the folder is made
// first, so that there is one to lock.
class StoreLock {
 public:
  explicit StoreLock(RegistryRoot root) : folder_(CreateFolderPath(RegistryFolder())), lock_(RegistryFile(root)) {}

 private:
  bool folder_;
  FileUpdateLock lock_;
};

std::vector<Entry> Load(RegistryRoot root) {
  auto text = ReadFileBytes(RegistryFile(root));
  return text ? Parse(*text) : std::vector<Entry>{};
}

// For a read-modify-write: a store file that exists but cannot be read is left
// alone, so a write never replaces it with the one new value.
std::optional<std::vector<Entry>> LoadForUpdate(RegistryRoot root) {
  const std::string file = RegistryFile(root);
  auto text = ReadFileBytes(file);
  if (text) return Parse(*text);
  if (FileExists(file)) return std::nullopt;
  return std::vector<Entry>{};
}

std::string NormaliseKey(const std::string& keyPath) {
  std::string key = keyPath;
  while (!key.empty() && key.back() == '\\') key.pop_back();
  while (!key.empty() && key.front() == '\\') key.erase(0, 1);
  return key;
}

bool Store(RegistryRoot root, const std::string& keyPath, const std::string& name, const RegistryValue& value) {
  if (keyPath.find_first_of("\r\n]") != std::string::npos) return false;
  StoreLock lock(root);
  std::optional<std::vector<Entry>> loaded = LoadForUpdate(root);
  if (!loaded) return false;
  std::vector<Entry>& entries = *loaded;
  std::string key = NormaliseKey(keyPath);
  bool replaced = false;
  for (Entry& e : entries) {
    if (EqualsNoCase(e.key, key) && !IsKeyMarker(e) && EqualsNoCase(e.name, name)) {
      e.value = value;
      replaced = true;
    }
  }
  if (!replaced) entries.push_back({key, name, value});
  return WriteFileAtomic(RegistryFile(root), Format(entries));
}

}  // namespace

std::string RegistryFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (config && *config == '/') {
    base = config;
  } else {
    // Without HOME the account's own home folder, never a folder others may write.
    std::string home = HomeFolder();
    base = (home.empty() ? std::string("/") : home) + "/.config";
  }
  return base + "/heliryx360";
}

std::string RegistryFile(RegistryRoot root) {
  return RegistryFolder() + (root == RegistryRoot::LocalMachine ? "/HKEY_LOCAL_MACHINE.reg" : "/HKEY_CURRENT_USER.reg");
}

bool Registry::SetString(RegistryRoot root, const std::string& keyPath, const std::string& name,
                         const std::string& data) {
  RegistryValue value;
  value.type = RegistryValue::Type::String;
  value.text = data;
  return Store(root, keyPath, name, value);
}

bool Registry::SetDword(RegistryRoot root, const std::string& keyPath, const std::string& name, uint32_t data) {
  RegistryValue value;
  value.type = RegistryValue::Type::Dword;
  value.number = data;
  return Store(root, keyPath, name, value);
}

std::optional<RegistryValue> Registry::Query(RegistryRoot root, const std::string& keyPath, const std::string& name) {
  std::string key = NormaliseKey(keyPath);
  for (const Entry& e : Load(root))
    if (EqualsNoCase(e.key, key) && !IsKeyMarker(e) && EqualsNoCase(e.name, name)) return e.value;
  return std::nullopt;
}

bool Registry::KeyExists(RegistryRoot root, const std::string& keyPath) {
  std::string key = NormaliseKey(keyPath);
  for (const Entry& e : Load(root))
    if (EqualsNoCase(e.key, key)) return true;
  return false;
}

bool Registry::DeleteValue(RegistryRoot root, const std::string& keyPath, const std::string& name) {
  StoreLock lock(root);
  std::optional<std::vector<Entry>> loaded = LoadForUpdate(root);
  if (!loaded) return false;
  std::vector<Entry>& entries = *loaded;
  std::string key = NormaliseKey(keyPath);
  std::vector<Entry> kept;
  bool removed = false;
  for (Entry& e : entries) {
    if (EqualsNoCase(e.key, key) && !IsKeyMarker(e) && EqualsNoCase(e.name, name)) {
      removed = true;
      kept.push_back({e.key, std::string(1, '\0'), {}});  // the key itself stays
      continue;
    }
    kept.push_back(std::move(e));
  }
  if (!removed) return true;
  return WriteFileAtomic(RegistryFile(root), Format(kept));
}

}  // namespace platform
