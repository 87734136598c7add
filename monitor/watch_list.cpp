#include "monitor/watch_list.h"

#include "config_store/profile_helpers.h"
#include "config_store/scg_size_limit.h"
#include "platform/file_system.h"
#include "platform/text.h"

#include <algorithm>

namespace monitor {

std::vector<std::string> SplitExecutableList(const std::string& raw) {
  if (raw.find(',') == std::string::npos) return {raw};
  std::vector<std::string> names;
  for (const std::string& part : platform::SplitOn("\"" + raw + "\"", ',')) {
    std::string item = platform::Trim(part);
    if (item.size() < 2) break;
    item = item.substr(1, item.size() - 2);  // the item's own quotes
    if (item.empty()) break;
    names.push_back(item);
  }
  return names;
}

namespace {
unsigned char FoldedLetter(char c) { return static_cast<unsigned char>(platform::LowerAscii(c)); }
}  // namespace

WatchIndex::WatchIndex(const WatchTable& list) {
  for (const WatchEntry& entry : list) {
    byName_.try_emplace(entry.exeName, entry);  // the first one stays
    lengths_.set(std::min<size_t>(entry.exeName.size(), 64));
    if (!entry.exeName.empty()) firstLetters_.set(FoldedLetter(entry.exeName[0]));
  }
}

const WatchEntry* WatchIndex::Find(std::string_view exeName) const {
  if (!lengths_.test(std::min<size_t>(exeName.size(), 64))) return nullptr;
  if (!exeName.empty() && !firstLetters_.test(FoldedLetter(exeName[0]))) return nullptr;
  auto found = byName_.find(exeName);
  return found == byName_.end() ? nullptr : &found->second;
}

size_t WatchIndex::NoCaseHash::operator()(std::string_view text) const {
  // FNV-1a over the text with A to Z folded, as EqualsNoCase folds them.
  size_t hash = 14695981039346656037ull;
  for (char c : text) hash = (hash ^ FoldedLetter(c)) * 1099511628211ull;
  return hash;
}

bool WatchIndex::NoCaseEqual::operator()(std::string_view a, std::string_view b) const {
  return platform::EqualsNoCase(a, b);
}

WatchTable BuildWatchList(const std::string& scgFolder, Log& log) {
  using config_store::ReadIni;
  WatchTable list;
  for (const std::string& name : platform::ListFiles(scgFolder)) {
    if (!platform::EndsWithNoCase(name, ".scg")) continue;
    std::string file = scgFolder + name;
    if (config_store::ScgFileTooLarge(file)) {
      log.Line(config_store::ScgFileTooLargeLine(name));
      continue;
    }
    if (!platform::EqualsNoCase(ReadIni(file, "CONFIGURATION", "HIDE_FILE"), "FALSE")) continue;
    if (!platform::EqualsNoCase(ReadIni(file, "VERSION", "VERSION"), "6.1")) continue;
    std::string raw = ReadIni(file, "CONFIGURATION", "EXECUTABLE");
    if (raw.empty()) continue;
    for (const std::string& exe : SplitExecutableList(raw)) {
      list.push_back({name, exe});
      log.Line(name + " - " + exe);
    }
  }
  return list;
}

}  // namespace monitor
