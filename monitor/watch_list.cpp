#include "monitor/watch_list.h"

#include "config_store/profile_helpers.h"
#include "config_store/scg_size_limit.h"
#include "platform/file_system.h"
#include "platform/text.h"

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

WatchTable BuildWatchList(const std::string& scgFolder, const std::function<void(const std::string&)>& log) {
  using config_store::ReadIni;
  WatchTable list;
  for (const std::string& name : platform::ListFiles(scgFolder)) {
    if (name.size() < 4 || !platform::EqualsNoCase(name.substr(name.size() - 4), ".scg")) continue;
    std::string file = scgFolder + name;
    if (config_store::ScgFileTooLarge(file)) {
      if (log) log(config_store::ScgFileTooLargeLine(name));
      continue;
    }
    if (!platform::EqualsNoCase(ReadIni(file, "CONFIGURATION", "HIDE_FILE"), "FALSE")) continue;
    if (!platform::EqualsNoCase(ReadIni(file, "VERSION", "VERSION"), "6.1")) continue;
    std::string raw = ReadIni(file, "CONFIGURATION", "EXECUTABLE");
    if (raw.empty()) continue;
    for (const std::string& exe : SplitExecutableList(raw)) {
      list.push_back({name, exe});
      if (log) log(name + " - " + exe);
    }
  }
  return list;
}

}  // namespace monitor
