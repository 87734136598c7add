// The editor's game table: the scan of the configuration folder that converts
// old files, lists the visible current ones sorted by game name, makes sure the
// editor's settings file exists and asks the monitor to pause.
#pragma once

#include <string>
#include <vector>

namespace config_store {

// One column of the game table.
struct GameColumn {
  std::string fileName;    // row 1: the configuration's file name, no folder
  std::string listText;    // row 2: APPLICATION_NAME followed by 100 blanks
  std::string executable;  // row 3: EXECUTABLE as read
};

// Columns 1 to GameCount, in the order of the editor's game list.
struct GameTable {
  std::vector<GameColumn> columns;
  int CurrentGameIndex = 0;  // column of the game in use (1-based); 0 while none is selected

  int GameCount() const { return static_cast<int>(columns.size()); }
  // Column `column` (1-based, 1..GameCount).
  const GameColumn& Column(int column) const { return columns.at(static_cast<size_t>(column - 1)); }
};

// Sorts the columns by row 2, ascending, without regard to ASCII case; columns
// with equal names keep their order. Returns the sorted table.
GameTable& SortGameList(GameTable& table);

// The steps of the scan that belong to the window (the editor's window; tests record them).
class GameListSteps {
 public:
  virtual ~GameListSteps() = default;
  // Shows a status text on the splash window (a conversion's progress).
  virtual void Status(const std::string& text) = 0;
  // Reads a freshly converted file and writes it again in the full layout.
  virtual void RewriteConverted(const std::string& path) = 0;
  // One line per file that the scan skips (too large, or not converted).
  virtual void Log(const std::string& line) = 0;
};

enum class GameListOutcome {
  Listed,           // at least one game; the monitor has been asked to pause
  NoScgFolder,      // the configuration folder does not exist
  NothingListable,  // no configuration file can be listed
};

struct GameListResult {
  GameListOutcome outcome = GameListOutcome::NothingListable;
  GameTable table;
  std::string EditorIniFile;  // the editor's settings file, tunedeck.ini
  // For the two fatal outcomes: the critical box's text and title; the editor
  // shows it and closes its main window.
  std::string messageText;
  std::string messageTitle;
};

// `programFolder` holds tunedeck.ini and watchpost.ini; `ScgFolder` is the
// configuration folder as the editor names it, ending in "/". Files are taken
// in the order of their names, upper-cased, so the result is the same on every
// machine; a file larger than kScgFileSizeLimit is skipped.
GameListResult LoadGameList(const std::string& programFolder, const std::string& ScgFolder, GameListSteps& steps);

}  // namespace config_store
