#include "config_store/game_list.h"

#include "config_store/install_folder.h"
#include "config_store/mode_mailbox.h"
#include "config_store/profile_helpers.h"
#include "config_store/scg_size_limit.h"
#include "config_store/upgrade.h"
#include "platform/file_system.h"
#include "platform/profile.h"
#include "platform/text.h"

#include <algorithm>
#include <optional>

namespace config_store {
namespace {

const std::string ScgExt = ".scg";

// Text order without regard to ASCII case, bytes compared as unsigned.
bool LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(platform::UpperAscii(x)) < static_cast<unsigned char>(platform::UpperAscii(y));
  });
}

// The folder's files by upper-cased name; names equal but for case by their bytes.
std::vector<std::string> ScgFolderFiles(const std::string& folder) {
  std::vector<std::string> names = platform::ListFiles(folder);
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    if (LessNoCase(a, b)) return true;
    if (LessNoCase(b, a)) return false;
    return a < b;
  });
  return names;
}

// A value of the file's text as ReadIni gives it from the file.
std::string ValueOf(const std::string& text, const std::string& section, const std::string& key) {
  return platform::FindProfileValue(text, section, key).value_or(kError);
}

bool EndsWithScgExt(const std::string& name) {
  return name.size() >= ScgExt.size() && name.compare(name.size() - ScgExt.size(), ScgExt.size(), ScgExt) == 0;
}

// Layout 6.0 shows as a VERSION that is the number 6 ("6", "6.0").
bool IsVersion60(const std::string& version) {
  std::optional<double> number = platform::ParseDecimal(version);
  return number && *number == 6.0;
}

}  // namespace

GameTable& SortGameList(GameTable& table) {
  // Stable, so that equal names keep the folder's order.
  std::stable_sort(table.columns.begin(), table.columns.end(),
                   [](const GameColumn& a, const GameColumn& b) { return LessNoCase(a.listText, b.listText); });
  return table;
}

GameListResult LoadGameList(const std::string& programFolder, const std::string& ScgFolder, GameListSteps& steps) {
  GameListResult result;
  result.EditorIniFile = EditorIniPath(programFolder);
  if (!platform::FileExists(result.EditorIniFile)) {
    WriteIni(result.EditorIniFile, "Version", "Version", "5.1");
    WriteIni(result.EditorIniFile, "Games", "Current", "");
  }
  auto fatal = [&result](GameListOutcome outcome, const std::string& text) {
    result.outcome = outcome;
    result.messageText = text;
    result.messageTitle = "Critical Error";
    return result;
  };
  if (!platform::FolderExists(ScgFolder))
    return fatal(GameListOutcome::NoScgFolder, "Configuration file folder " + ScgFolder + " not found.");

  for (const std::string& name : ScgFolderFiles(ScgFolder)) {
    if (!EndsWithScgExt(name)) continue;
    const std::string path = ScgFolder + name;
    if (ScgFileTooLarge(path)) {
      steps.Log(ScgFileTooLargeLine(name));
      continue;
    }
    std::optional<std::string> text = platform::ReadFileBytes(path);
    if (!text) continue;
    if (ValueOf(*text, "CONFIGURATION", "HIDE_FILE") == "FALSE" && IsVersion60(ValueOf(*text, "VERSION", "VERSION"))) {
      if (Upgrade60to61(path, ValueOf(*text, "IDENTIFICATION", "APPLICATION_NAME"),
                        [&steps](const std::string& status) { steps.Status(status); })) {
        steps.RewriteConverted(path);
        text = platform::ReadFileBytes(path);
        if (!text) continue;
      } else {
        steps.Log(name + " could not be converted");
      }
    }
    if (ValueOf(*text, "VERSION", "VERSION") != "6.1" || ValueOf(*text, "CONFIGURATION", "HIDE_FILE") != "FALSE")
      continue;
    result.table.columns.push_back({name, ValueOf(*text, "IDENTIFICATION", "APPLICATION_NAME") + std::string(100, ' '),
                                    ValueOf(*text, "CONFIGURATION", "EXECUTABLE")});
  }

  if (result.table.GameCount() < 1)
    return fatal(GameListOutcome::NothingListable, "No configuration files found in folder " + ScgFolder);
  SortGameList(result.table);
  result.outcome = GameListOutcome::Listed;
  ReplaceMode(programFolder, "ACTIVE", "SUSPEND");
  return result;
}

}  // namespace config_store
