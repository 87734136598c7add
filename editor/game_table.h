// The games the editor offers: one entry per listed configuration, in list order.
#pragma once

#include <string>
#include <vector>

namespace editor {

struct GameEntry {
  std::string FileName;    // the configuration file's name, without folder
  std::string ListText;    // APPLICATION_NAME followed by 100 blanks
  std::string Executable;  // EXECUTABLE as read
};

// The scan of the configuration folder at start (tunedeck.ini created when
// missing, old files upgraded, the table sorted, the monitor asked to pause).
std::vector<GameEntry> LoadGames(const std::string& programFolder, const std::string& scgFolder);

}  // namespace editor
