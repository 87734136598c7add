#include "editor/game_table.h"

#include "config_store/profile_helpers.h"
#include "platform/file_system.h"
#include "platform/text.h"

#include <QDir>
#include <algorithm>

namespace editor {

using config_store::ReadIni;
using config_store::WriteIni;

// Interim scan until the configuration store's folder scan is merged.
std::vector<GameEntry> LoadGames(const std::string& programFolder, const std::string& scgFolder) {
  std::string editorIni = programFolder + "/tunedeck.ini";
  if (!platform::FileExists(editorIni)) {
    platform::WriteFileAtomic(editorIni, "");
    WriteIni(editorIni, "Version", "Version", "5.1");
    WriteIni(editorIni, "Games", "Current", "");
  }
  std::vector<GameEntry> games;
  QStringList names = QDir(QString::fromStdString(scgFolder)).entryList(QDir::Files, QDir::Name);
  for (const QString& qname : names) {
    std::string name = platform::ToAnsi(qname);
    std::string path = scgFolder + name;
    if (name.size() < 4 || name.substr(name.size() - 4) != ".scg") continue;
    if (ReadIni(path, "VERSION", "VERSION") != "6.1" || ReadIni(path, "CONFIGURATION", "HIDE_FILE") != "FALSE") continue;
    games.push_back({name, ReadIni(path, "IDENTIFICATION", "APPLICATION_NAME") + std::string(100, ' '),
                     ReadIni(path, "CONFIGURATION", "EXECUTABLE")});
  }
  std::stable_sort(games.begin(), games.end(), [](const GameEntry& a, const GameEntry& b) {
    return platform::ToLower(a.ListText) < platform::ToLower(b.ListText);
  });
  std::string monitorIni = programFolder + "/watchpost.ini";
  if (!games.empty() && platform::FileExists(monitorIni) && ReadIni(monitorIni, "APPLICATION", "MODE") == "ACTIVE")
    WriteIni(monitorIni, "APPLICATION", "MODE", "SUSPEND");
  return games;
}

}  // namespace editor
